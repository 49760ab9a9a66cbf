#include "TraceForm.h"

#include "Clipboard.h"

#include "os/Dpi.h"
#include "os/Wide.h"
#include "os/WinBinding.h"
#include "protocol/QWindowNames.h"

#include <string>

namespace {

constexpr int ListId = 1;

HMENU CreateTraceMenu() {
    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, cmdCopy, "&Copy\tCtrl+C");
    AppendMenuA(edit, MF_STRING, cmdSelectAll, "Select &all\tCtrl+A");
    AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(edit, MF_STRING, cmdClear, "C&lear");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    return bar;
}

// The lines' font, a fixed one at the window's scale: lines of the same kind stay aligned.
win::TFont ListFont(HWND window) {
    LOGFONTW font{};
    font.lfHeight = -win::Scaled(12, win::DpiOf(window));
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpyW(font.lfFaceName, L"Courier New");
    return win::TFont(CreateFontIndirectW(&font));
}

// The list is wide: the lines come in code page 1251 and are shown as they are on any
// system code page.
HWND CreateList(HWND window) {
    HWND list =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT |
                            LBS_EXTENDEDSEL | LBS_NOTIFY,
                        0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ListId)),
                        nullptr, nullptr);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, 4000, 0);
    return list;
}

void AddLine(HWND list, TTraceLog& log, const char* text) {
    std::string line = text ? text : "";
    std::string stamp = TimeStamp();
    log.Append(stamp, line);
    std::string shown = stamp + "  " + line;
    const std::wstring wide = win::Wide(shown);
    LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (index >= 0)
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

std::string ItemText(HWND list, int index) {
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return win::Narrow(text);
}

// The selected lines, or every line when none is selected, one per text line.
void CopyLines(HWND window, HWND list) {
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    bool anySelected = SendMessageW(list, LB_GETSELCOUNT, 0, 0) > 0;
    std::string text;
    for (int i = 0; i < count; ++i)
        if (!anySelected || SendMessageW(list, LB_GETSEL, i, 0) > 0)
            text += ItemText(list, i) + "\r\n";
    CopyTextToClipboard(window, text);
}

void OnCommand(HWND window, HWND list, WORD command) {
    switch (command) {
    case cmdCopy:
        CopyLines(window, list);
        break;
    case cmdSelectAll:
        SendMessageW(list, LB_SETSEL, TRUE, -1);
        break;
    case cmdClear:
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        break;
    }
}

} // namespace

LRESULT TTraceForm::OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        List_ = CreateList(window);
        ApplyListFont(window);
        return List_ ? 0 : -1;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ApplyListFont(window);
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SETTEXT:
        // A trace line, not a new title: the title stays as it is so that senders find it.
        AddLine(List_, *Log_, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_SIZE:
        MoveWindow(List_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(List_);
        return 0;
    case WM_COMMAND:
        OnCommand(window, List_, LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        Window_.release(); // gone with its last message
        break;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void TTraceForm::ApplyListFont(HWND window) {
    Font_ = ListFont(window);
    SendMessageW(List_, WM_SETFONT, reinterpret_cast<WPARAM>(Font_.get()), TRUE);
}

TTraceForm::TTraceForm(HINSTANCE instance, TTraceLog* log) : Log_(log) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &win::BoundWindowProc<TTraceForm, &TTraceForm::OnMessage>;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "MAINICON");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = TraceClass;
    if (!RegisterClassA(&windowClass))
        return;
    Window_.reset(CreateWindowExA(0, TraceClass, TraceTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 720, 420, nullptr,
                                  CreateTraceMenu(), instance, this));
}

win::TAccelerators CreateTraceAccelerators() {
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'C', cmdCopy},
        {FVIRTKEY | FCONTROL, 'A', cmdSelectAll},
    };
    return win::TAccelerators(CreateAcceleratorTableA(keys, 2));
}
