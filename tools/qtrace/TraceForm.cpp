#include "TraceForm.h"

#include "Clipboard.h"

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

HWND CreateList(HWND window) {
    HWND list =
        CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", nullptr,
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT |
                            LBS_EXTENDEDSEL | LBS_NOTIFY,
                        0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ListId)),
                        nullptr, nullptr);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)),
                 FALSE);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 4000, 0);
    return list;
}

void AddLine(HWND list, TTraceLog& log, const char* text) {
    std::string line = text ? text : "";
    std::string stamp = TimeStamp();
    log.Append(stamp, line);
    std::string shown = stamp + "  " + line;
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    if (index >= 0)
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

std::string ItemText(HWND list, int index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The selected lines, or every line when none is selected, one per text line.
void CopyLines(HWND window, HWND list) {
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    bool anySelected = SendMessageA(list, LB_GETSELCOUNT, 0, 0) > 0;
    std::string text;
    for (int i = 0; i < count; ++i)
        if (!anySelected || SendMessageA(list, LB_GETSEL, i, 0) > 0)
            text += ItemText(list, i) + "\r\n";
    CopyTextToClipboard(window, text);
}

void OnCommand(HWND window, HWND list, WORD command) {
    switch (command) {
    case cmdCopy:
        CopyLines(window, list);
        break;
    case cmdSelectAll:
        SendMessageA(list, LB_SETSEL, TRUE, -1);
        break;
    case cmdClear:
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        break;
    }
}

} // namespace

LRESULT TTraceForm::OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        List_ = CreateList(window);
        return List_ ? 0 : -1;
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
