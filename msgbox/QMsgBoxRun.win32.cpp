// The modal run of the box: its window classes, the thread's windows disabled meanwhile, the
// window created and shown, and the nested loop.
#include "msgbox/QMsgBox.h"

#include "msgbox/QMsgBoxAssert.h"
#include "msgbox/QMsgBoxParts.h"
#include "os/Wide.h"
#include "os/WinBinding.h"
#include "protocol/QWindowNames.h"

#include <algorithm>
#include <string>

namespace {

const auto kAppIcon = reinterpret_cast<LPCWSTR>(IDI_APPLICATION);
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

// The small form of a class's icon. Left out, the system scales one down from the large form
// at every registration, which took longer than the rest of the registration and the layout
// of a hundred lines together.
HICON SmallIcon(HINSTANCE module, const wchar_t* name) {
    return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

} // namespace

const wchar_t* MainClassName() {
    static const std::wstring name = win::Wide(BoxClass);
    return name.c_str();
}

const wchar_t* TextClassName() {
    static const std::wstring name = win::Wide(BoxTextClass);
    return name.c_str();
}

// The two classes are registered for the length of a run, so only one box can be open at a
// time; a second one fails to register.
class TQMsgBox::TClasses {
public:
    explicit TClasses(TQMsgBox& box) {
        box.ClassBrush_.reset(CreateSolidBrush(ColorToRGB(box.BoxColor)));
        Brush_ = &box.ClassBrush_;
        WNDCLASSEXW main{};
        main.cbSize = sizeof main;
        main.style = CS_HREDRAW | CS_VREDRAW;
        main.lpfnWndProc =
            &win::BoundWindowProc<TQMsgBox, &TQMsgBox::OnMainMessage, &TQMsgBox::MainWithoutBox>;
        main.hInstance = Instance();
        main.hIcon = LoadIconW(Instance(), L"MAINICON");
        main.hIconSm = SmallIcon(Instance(), L"MAINICON");
        main.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        main.hbrBackground = box.ClassBrush_.get();
        main.lpszClassName = MainClassName();
        if (!RegisterClassExW(&main)) {
            Brush_->reset();
            MsgBoxAssert(mfRegisterMainClass);
        }
        WNDCLASSEXW text = main;
        text.lpfnWndProc =
            &win::BoundWindowProc<TQMsgBox, &TQMsgBox::OnTextMessage, &TQMsgBox::TextWithoutBox>;
        text.hIcon = LoadIconW(nullptr, kAppIcon);
        text.hIconSm = SmallIcon(nullptr, kAppIcon);
        text.lpszClassName = TextClassName();
        if (!RegisterClassExW(&text)) {
            UnregisterClassW(MainClassName(), Instance());
            Brush_->reset();
            MsgBoxAssert(mfRegisterTextClass);
        }
    }
    TClasses(const TClasses&) = delete;
    TClasses& operator=(const TClasses&) = delete;
    ~TClasses() {
        UnregisterClassW(MainClassName(), Instance());
        UnregisterClassW(TextClassName(), Instance());
        Brush_->reset();
    }

private:
    win::TBrush* Brush_;
};

// The thread's visible and enabled top-level windows, disabled for the run and enabled again
// afterwards in reverse order, those that still exist.
class TQMsgBox::TDisabledWindows {
public:
    TDisabledWindows(TQMsgBox& box, bool disable) : Box_(box) {
        Box_.Disabled_.clear();
        if (disable)
            EnumThreadWindows(GetCurrentThreadId(), &DisableOne,
                              reinterpret_cast<LPARAM>(&Box_.Disabled_));
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;
    ~TDisabledWindows() {
        while (!Box_.Disabled_.empty()) {
            const HWND w = Box_.Disabled_.back();
            Box_.Disabled_.pop_back();
            if (IsWindow(w))
                EnableWindow(w, TRUE);
        }
    }

private:
    static BOOL CALLBACK DisableOne(HWND w, LPARAM param) {
        if (IsWindowVisible(w) && IsWindowEnabled(w)) {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(w);
            EnableWindow(w, FALSE);
        }
        return TRUE;
    }

    TQMsgBox& Box_;
};

namespace {

// Takes the main window down if the run fails while it exists; its destruction then asks no
// loop to end.
class TMainWindowGuard {
public:
    TMainWindowGuard(win::TWindow& window, const bool& destroyed, bool& quitOnDestroy)
        : Window_(window), Destroyed_(destroyed), QuitOnDestroy_(quitOnDestroy) {}
    TMainWindowGuard(const TMainWindowGuard&) = delete;
    TMainWindowGuard& operator=(const TMainWindowGuard&) = delete;
    ~TMainWindowGuard() {
        if (!Destroyed_ && Window_) {
            QuitOnDestroy_ = false;
            Window_.reset();
        }
    }

private:
    win::TWindow& Window_;
    const bool& Destroyed_;
    bool& QuitOnDestroy_;
};

} // namespace

std::int32_t TQMsgBox::Run(std::string_view text, bool disableOthers) {
    if (!text.empty())
        AddText(text);
    TraceMessage();
    if (Buttons_.empty())
        AddStdButton(IDOK);
    DefaultButton = std::clamp(DefaultButton, 0, static_cast<std::int32_t>(Buttons_.size()) - 1);
    View_.Color = BoxColor;
    Result = 0;
    const HWND previous = GetActiveWindow();
    {
        const TClasses classes(*this);
        const TClientSize client = Measure();
        const TMainWindowGuard guard(MainWnd_, Destroyed_, QuitOnDestroy_);
        CreateMainWindow(client);
        const TDisabledWindows disabled(*this, disableOthers);
        const HWND main = MainWnd_.get();
        ShowWindow(main, SW_SHOW);
        SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        SetForegroundWindow(main);
        RunLoop();
    }
    if (previous && IsWindow(previous))
        SetActiveWindow(previous);
    if (Result == 0)
        DefaultButton = -1;
    return Result;
}

void TQMsgBox::CreateMainWindow(TClientSize client) {
    RECT frame{0, 0, client.Width, client.Height};
    AdjustWindowRectEx(&frame, kMainStyle, FALSE, 0);
    const std::int32_t w = frame.right - frame.left;
    const std::int32_t h = frame.bottom - frame.top;
    const std::int32_t sw = GetSystemMetrics(SM_CXSCREEN);
    const std::int32_t sh = GetSystemMetrics(SM_CYSCREEN);
    Destroyed_ = false;
    QuitOnDestroy_ = false;
    QuitCode_ = 0;
    // The main window's creation message makes it the box's.
    if (!CreateWindowExW(0, MainClassName(), win::Wide(Caption).c_str(), kMainStyle, (sw - w) / 2,
                         (sh - h) / 2, w, h, Owner, nullptr, Instance(), this)) {
        WindowFailure.Rethrow();
        MsgBoxAssert(mfCreateMainWindow);
    }
    WindowFailure.Rethrow();
    QuitOnDestroy_ = true;
}

void TQMsgBox::RunLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        WindowFailure.Rethrow();
    }
    if (!Destroyed_) {
        // A quit request that the box did not post: the box closes with the focused button,
        // and the request goes on to the caller's loop.
        Result = Buttons_[DefaultButton].Id;
        QuitCode_ = msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
        MainWnd_.reset();
        Destroyed_ = true;
        WindowFailure.Rethrow();
    }
}
