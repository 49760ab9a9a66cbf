// The box's windows: the main window with the icon and the buttons, the scrolling text window,
// and the buttons' keyboard.
#include "msgbox/QMsgBox.h"

#include "msgbox/QMsgBoxAssert.h"
#include "msgbox/QMsgBoxParts.h"
#include "os/Wide.h"
#include "os/WinBinding.h"

#include <algorithm>

thread_local win::TParkedFailure WindowFailure;

namespace {

// A failed creation message fails the creation.
LRESULT OnFailure(UINT msg) {
    return msg == WM_CREATE ? -1 : 0;
}

} // namespace

std::int32_t TQMsgBox::TextWidth(std::int32_t cw) const {
    return cw - Margin_ - RightMargin_;
}

std::int32_t TQMsgBox::TextHeight(std::int32_t ch) const {
    return ch - 3 * LineH_ - ButtonH_;
}

LRESULT CALLBACK TQMsgBox::MainWithoutBox(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return WindowFailure.Guard(
        [&]() -> LRESULT {
            if (msg == WM_CREATE)
                MsgBoxAssert(mfMainWindowWithoutBox);
            if (msg == WM_DESTROY)
                MsgBoxAssert(mfDestroyWithoutBox);
            return DefWindowProcW(w, msg, wp, lp);
        },
        OnFailure(msg));
}

LRESULT TQMsgBox::OnMainMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return WindowFailure.Guard(
        [&]() -> LRESULT {
            switch (msg) {
            case WM_CREATE:
                OnMainCreate(w);
                return 0;
            case WM_SIZE:
                OnMainSize(LOWORD(lp), HIWORD(lp));
                return 0;
            case WM_SETFOCUS:
                SetFocus(Buttons_[DefaultButton].Handle.get());
                return 0;
            case WM_PAINT:
                OnMainPaint(w);
                return 0;
            case WM_COMMAND:
                OnCommand(LOWORD(wp));
                return 0;
            case WM_DESTROY:
                OnMainDestroy();
                return 0;
            case WM_NCDESTROY:
                MainWnd_.release(); // gone with its last message
                return DefWindowProcW(w, msg, wp, lp);
            default:
                return DefWindowProcW(w, msg, wp, lp);
            }
        },
        OnFailure(msg));
}

void TQMsgBox::OnMainCreate(HWND w) {
    MainWnd_.reset(w);
    RECT client{};
    GetClientRect(w, &client);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    // The text window's creation message makes it the box's.
    if (!CreateWindowExW(0, TextClassName(), TextClassName(), WS_CHILD | WS_VISIBLE, Margin_,
                         LineH_, TextWidth(client.right), TextHeight(client.bottom), w, nullptr,
                         instance, this))
        MsgBoxAssert(mfCreateTextWindow);

    std::int32_t x = std::max(static_cast<std::int32_t>(client.right - ButtonsW_) / 2, Gap_);
    const auto y = static_cast<std::int32_t>(client.bottom - LineH_ - ButtonH_);
    for (std::size_t i = 0; i < Buttons_.size(); ++i) {
        TQMsgBoxBtn& button = Buttons_[i];
        button.Handle.reset(CreateWindowExW(
            0, L"BUTTON", win::Wide(button.Caption).c_str(), WS_CHILD | WS_VISIBLE, x, y,
            button.Width, ButtonH_, w, reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.Id)),
            instance, nullptr));
        x += button.Width + Gap_;
        const HWND handle = button.Handle.get();
        if (!handle)
            continue;
        PostMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(ButtonFont_.get()), TRUE);
        if (i == 0)
            OldButtonProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC));
        // The default button gets the focus when the shown window is activated (WM_SETFOCUS):
        // focusing it now would activate the window while it is hidden, and its caption would
        // then be drawn inactive.
        if (static_cast<std::int32_t>(i) == DefaultButton)
            SendMessageW(handle, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        win::BindObject(handle, this);
        SetWindowLongPtrW(handle, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(&TQMsgBox::ButtonWindowProc));
    }
}

void TQMsgBox::OnMainSize(std::int32_t cw, std::int32_t ch) {
    SetWindowPos(TextWnd_.get(), nullptr, 0, 0, TextWidth(cw), TextHeight(ch),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::int32_t x = std::max((cw - ButtonsW_) / 2, Gap_);
    for (const TQMsgBoxBtn& button : Buttons_) {
        SetWindowPos(button.Handle.get(), nullptr, x, ch - LineH_ - ButtonH_, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        x += button.Width + Gap_;
    }
}

void TQMsgBox::OnMainPaint(HWND w) {
    const win::TPaintDC dc(w);
    if (IconHandle_)
        DrawIcon(dc.get(), IconX_, LineH_, IconHandle_);
}

void TQMsgBox::OnCommand(std::int32_t id) {
    Result = id;
    const auto pressed = std::find_if(Buttons_.begin(), Buttons_.end(),
                                      [&](const TQMsgBoxBtn& b) { return b.Id == id; });
    if (pressed != Buttons_.end())
        DefaultButton = static_cast<std::int32_t>(pressed - Buttons_.begin());
    PostMessageW(MainWnd_.get(), WM_CLOSE, 0, 0);
}

void TQMsgBox::OnMainDestroy() {
    TextWnd_.reset();
    for (TQMsgBoxBtn& button : Buttons_)
        button.Handle.reset();
    Painter_.ReleaseObjects();
    ButtonFont_.reset();
    if (QuitOnDestroy_)
        PostQuitMessage(QuitCode_);
    Destroyed_ = true;
}

LRESULT CALLBACK TQMsgBox::TextWithoutBox(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return WindowFailure.Guard(
        [&]() -> LRESULT {
            if (msg == WM_CREATE)
                MsgBoxAssert(mfTextWindowWithoutBox);
            return DefWindowProcW(w, msg, wp, lp);
        },
        OnFailure(msg));
}

LRESULT TQMsgBox::OnTextMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return WindowFailure.Guard(
        [&]() -> LRESULT {
            switch (msg) {
            case WM_CREATE:
                // Known before CreateWindowEx returns: the first size message comes before.
                TextWnd_.reset(w);
                View_.ScrollX = 0;
                View_.ScrollY = 0;
                return 0;
            case WM_SIZE:
                OnTextSize(w);
                return 0;
            case WM_PAINT:
                OnTextPaint(w);
                return 0;
            case WM_ERASEBKGND:
                return 1; // the paint covers every pixel
            case WM_VSCROLL:
                OnScroll(SB_VERT, LOWORD(wp), HIWORD(wp));
                return 0;
            case WM_HSCROLL:
                OnScroll(SB_HORZ, LOWORD(wp), HIWORD(wp));
                return 0;
            case WM_DESTROY:
                if (QuitOnDestroy_)
                    PostQuitMessage(QuitCode_);
                return 0;
            case WM_NCDESTROY:
                TextWnd_.release(); // gone with its last message
                return DefWindowProcW(w, msg, wp, lp);
            default:
                return DefWindowProcW(w, msg, wp, lp);
            }
        },
        OnFailure(msg));
}

// Lays the text out again for the client size. Showing or hiding a scroll bar changes that
// size while this runs; the size messages it sends meanwhile are left to the loop here, so
// that an outer call never overwrites an inner one with a size that is gone.
void TQMsgBox::OnTextSize(HWND w) {
    if (InTextSize_)
        return;
    InTextSize_ = true;
    RECT laidFor{-1, -1, -1, -1};
    for (int pass = 0; pass < 4; ++pass) {
        RECT client{};
        GetClientRect(w, &client);
        if (client.right == laidFor.right && client.bottom == laidFor.bottom)
            break;
        laidFor = client;
        if (!Layout_.Holds(client.right)) {
            const win::TWindowDC dc(w);
            const TQDyedPainter::TUse use(Painter_, dc.get());
            Layout_ = Relayout(Painter_, Pieces, Layout_, client.right);
        }
        SetScrollBars(client.right, client.bottom);
    }
    InTextSize_ = false;
}

void TQMsgBox::SetScrollBars(std::int32_t cw, std::int32_t ch) {
    auto set = [&](int bar, std::int32_t& pos, std::int32_t extent, std::int32_t page) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (page < extent) {
            si.nMax = extent - 1;
            si.nPage = static_cast<UINT>(page);
            pos = std::clamp(pos, 0, extent - page);
        } else {
            pos = 0;
        }
        si.nPos = pos;
        SetScrollInfo(TextWnd_.get(), bar, &si, TRUE);
    };
    set(SB_HORZ, View_.ScrollX, Layout_.WidestFixed, cw);
    set(SB_VERT, View_.ScrollY, Layout_.Height(), ch);
}

void TQMsgBox::OnTextPaint(HWND w) {
    const win::TPaintDC dc(w);
    SetBkMode(dc.get(), TRANSPARENT);
    RECT client{};
    GetClientRect(w, &client);
    View_.Width = client.right;
    View_.Height = client.bottom;
    const TQDyedPainter::TUse use(Painter_, dc.get());
    Painter_.PaintText(Layout_.Lines, View_);
}

void TQMsgBox::OnScroll(int bar, int request, int track) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(TextWnd_.get(), bar, &si);
    const bool vertical = bar == SB_VERT;
    std::int32_t& pos = vertical ? View_.ScrollY : View_.ScrollX;
    const TQDyedLineArray& lines = Layout_.Lines;
    const std::int32_t step = GetSystemMetrics(SM_CXVSCROLL);
    std::int32_t to = pos;
    switch (request) {
    case SB_LINEUP:
        if (!vertical) {
            to = pos - step;
        } else {
            // Back to the top of the line that the view's top edge cuts or follows.
            auto line = std::find_if(lines.begin(), lines.end(),
                                     [&](const TQDyedLine& l) { return l.Bottom >= pos; });
            to = line != lines.end() ? line->Top : lines.back().Top;
        }
        break;
    case SB_LINEDOWN:
        if (!vertical) {
            to = pos + step;
        } else {
            // On to the top of the next line.
            auto line = std::find_if(lines.rbegin(), lines.rend(),
                                     [&](const TQDyedLine& l) { return l.Top <= pos; });
            to = line != lines.rend() ? line->Bottom : pos;
        }
        break;
    case SB_PAGEUP:
        to = pos - static_cast<std::int32_t>(si.nPage);
        break;
    case SB_PAGEDOWN:
        to = pos + static_cast<std::int32_t>(si.nPage);
        break;
    case SB_THUMBTRACK:
        to = track;
        break;
    default:
        return;
    }
    // Without a bar there is nothing to scroll.
    const std::int32_t last = si.nPage > 0 ? si.nMax - static_cast<std::int32_t>(si.nPage) + 1 : 0;
    to = std::clamp(to, 0, std::max(last, 0));
    if (to == pos)
        return;
    pos = to;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(TextWnd_.get(), bar, &si, TRUE);
    InvalidateRect(TextWnd_.get(), nullptr, FALSE);
}

LRESULT CALLBACK TQMsgBox::ButtonWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    TQMsgBox* box = win::BoundObject<TQMsgBox>(w);
    if (!box || !box->OldButtonProc_)
        return DefWindowProcW(w, msg, wp, lp);
    if (msg == WM_KEYDOWN &&
        WindowFailure.Guard([&]() -> LRESULT { return box->OnButtonKey(wp); }, 1))
        return 0;
    return CallWindowProcW(box->OldButtonProc_, w, msg, wp, lp);
}

bool TQMsgBox::OnButtonKey(WPARAM key) {
    const std::int32_t i = DefaultButton;
    std::int32_t next = i;
    switch (key) {
    case VK_TAB:
        next = GetKeyState(VK_SHIFT) < 0 ? i - 1 : i + 1;
        break;
    case VK_RETURN:
        SendMessageW(Buttons_[i].Handle.get(), BM_CLICK, 0, 0);
        return true;
    case VK_ESCAPE:
        SendMessageW(MainWnd_.get(), WM_CLOSE, 0, 0);
        return true;
    case VK_LEFT:
    case VK_UP:
        next = i - 1;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        next = i + 1;
        break;
    default:
        return false;
    }
    const auto count = static_cast<std::int32_t>(Buttons_.size());
    next = next < 0 ? count - 1 : next >= count ? 0 : next;
    DefaultButton = next;
    if (next != i) {
        SendMessageW(Buttons_[i].Handle.get(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        SendMessageW(Buttons_[next].Handle.get(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        SetFocus(Buttons_[next].Handle.get());
    }
    return true;
}
