// How a window message reaches its object: the shared window procedure binds windows to
// objects, and each object sees a message through its hooks, its form procedures, the
// standard cases and finally its default procedure, the first to consume it ending it.
#include "toolkit/WinKeys.h"
#include "toolkit/WinLoop.h"
#include "toolkit/WinState.h"

namespace {

constexpr UINT ReflectedCommand = 0xB005;
constexpr UINT ReflectedColorBase = 0xBC00; // + WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC
constexpr const char* SelfProperty = "SELF_";

TWinObj* ObjOf(HWND window) {
    return static_cast<TWinObj*>(GetPropA(window, SelfProperty));
}

bool CallHook(const TEventRef& hook, MSG& msg, LRESULT& result) {
    if (!hook)
        return false;
    result = 0;
    return hook.Proc<bool(void*, MSG*, LRESULT*)>()(hook.Data, &msg, &result);
}

LRESULT DefaultHandling(TWinObj* obj, const MSG& msg) {
    if (obj->DefaultProc)
        return CallWindowProcW(obj->DefaultProc, msg.hwnd, msg.message, msg.wParam, msg.lParam);
    return DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

// Per-monitor scaling: the system suggests the rectangle at the new scale; what is inside is
// the form's to lay out again.
void DpiChanged(TWinObj* form, const MSG& msg) {
    SetBounds(form, *reinterpret_cast<const RECT*>(msg.lParam));
    if (form->OnDpiChanged)
        form->OnDpiChanged.Proc<void(void*, TWinObj*, UINT)>()(form->OnDpiChanged.Data, form,
                                                               HIWORD(msg.wParam));
}

// A form's own procedures: its end of session, its focus, its scale and its background.
bool FormProcedures(TWinObj* obj, const MSG& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_DPICHANGED:
        DpiChanged(obj, msg);
        result = 0;
        return true;
    case WM_ENDSESSION:
        if (msg.wParam)
            EndSession(obj);
        return false;
    case WM_SETFOCUS:
        if (obj->CurrentControl) {
            SetFocus(EnsureWindow(obj->CurrentControl));
            if (TWinObj* main = MainWindow(); main && main != obj)
                main->CurrentControl = obj;
            return true;
        }
        return false;
    case WM_ERASEBKGND:
        if (obj->Transparent)
            return false;
        {
            HDC dc = reinterpret_cast<HDC>(msg.wParam);
            RECT client;
            GetClientRect(obj->Window, &client);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, ColorToRGB(obj->BkColor));
            SetBrushOrgEx(dc, 0, 0, nullptr);
            FillRect(dc, &client, BackgroundBrush(obj));
        }
        result = 1;
        return true;
    default:
        return false;
    }
}

LRESULT ChildColors(TWinObj* child, HDC dc) {
    SetTextColor(dc, ColorToRGB(child->TextColor));
    if (child->Transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(child->BkColor));
    return reinterpret_cast<LRESULT>(BackgroundBrush(child));
}

bool IsMainForm(const TWinObj* obj) {
    return obj == MainWindow() || (obj->IsForm && !obj->Parent);
}

LRESULT CloseForm(TWinObj* obj, const MSG& msg) {
    if (LoopRunning() && obj->OnClose &&
        !obj->OnClose.Proc<bool(void*, TWinObj*)>()(obj->OnClose.Data, obj))
        return 0;
    if (!IsMainForm(obj))
        return DefaultHandling(obj, msg);
    if (TWinObj* main = MainWindow(); main && main != obj && main->Window)
        SendMessageW(main->Window, WM_CLOSE, 0, 0);
    PostQuitMessage(0);
    return 0;
}

// The cases every object handles the same way. False: not handled here.
bool StandardCases(TWinObj* obj, const MSG& msg, LRESULT& result) {
    const UINT m = msg.message;
    if (m == WM_CLOSE) {
        result = CloseForm(obj, msg);
        return true;
    }
    if (m == WM_NCDESTROY) {
        RemovePropA(msg.hwnd, SelfProperty);
        result = DefaultHandling(obj, msg);
        obj->Window = nullptr;
        return true;
    }
    if (m == WM_SIZE) {
        result = DefaultHandling(obj, msg);
        if (Toolkit().AnyAligned) {
            if (obj->IsControl && obj->Parent)
                DockChildren(obj->Parent);
            DockChildren(obj);
        }
        return true;
    }
    if (m == WM_SETFOCUS && obj->IsControl)
        FormOf(obj)->CurrentControl = obj; // and on to the default procedure
    if (m >= WM_CTLCOLORMSGBOX && m <= WM_CTLCOLORSTATIC) {
        HWND child = reinterpret_cast<HWND>(msg.lParam);
        if (ObjOf(child)) {
            result = SendMessageW(child, m + ReflectedColorBase, msg.wParam, msg.lParam);
            return true;
        }
        return false;
    }
    if (m >= WM_CTLCOLORMSGBOX + ReflectedColorBase &&
        m <= WM_CTLCOLORSTATIC + ReflectedColorBase) {
        result = ChildColors(obj, reinterpret_cast<HDC>(msg.wParam));
        return true;
    }
    if (m == WM_COMMAND && msg.lParam && ObjOf(reinterpret_cast<HWND>(msg.lParam))) {
        result = SendMessageW(reinterpret_cast<HWND>(msg.lParam), ReflectedCommand, msg.wParam,
                              msg.lParam);
        return true;
    }
    if (m == ReflectedCommand) {
        if (HIWORD(msg.wParam) == obj->Actions->ClickCode && obj->OnClick)
            obj->OnClick.Proc<void(void*, TWinObj*)>()(obj->OnClick.Data, obj);
        result = 0;
        return true;
    }
    if (m == WM_PAINT && Terminated()) {
        ValidateRect(msg.hwnd, nullptr);
        result = 0;
        return true;
    }
    return false;
}

LRESULT HandleObjMessage(TWinObj* obj, MSG msg) {
    LRESULT result = 0;
    TWinObj* main = MainWindow();
    if (LoopRunning() && main && main != obj && CallHook(main->OnMessage, msg, result))
        return result;
    if (CallHook(obj->OnMessage, msg, result))
        return result;
    if (obj->IsForm && FormProcedures(obj, msg, result))
        return result;
    if (obj->IsControl && TabNavigation(obj, msg))
        return 0;
    if (StandardCases(obj, msg, result))
        return result;
    return DefaultHandling(obj, msg);
}

} // namespace

namespace {

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG msg{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    TToolkitState& kit = Toolkit();
    if (TWinObj* obj = kit.CreationSlot) {
        kit.CreationSlot = nullptr;
        obj->Window = window;
        SetPropA(window, SelfProperty, obj);
        return HandleObjMessage(obj, msg);
    }
    if (TWinObj* obj = ObjOf(window))
        return HandleObjMessage(obj, msg);
    if (TWinObj* main = MainWindow())
        return HandleObjMessage(main, msg);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        TToolkitState& kit = Toolkit();
        kit.PendingError.Park();
        kit.Terminated = true;
        return 0;
    }
}
