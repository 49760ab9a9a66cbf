// Window creation and release: windows are made on first need, parents before children,
// and an object's window dies with the object.
#include "toolkit/WinLoop.h"
#include "toolkit/WinState.h"

#include "os/Wide.h"

#include <algorithm>

TToolkitState& Toolkit() {
    static TToolkitState state;
    return state;
}

HINSTANCE ModuleInstance() {
    return GetModuleHandleA(nullptr);
}

namespace {

constexpr UINT ForeignClassStyles = CS_GLOBALCLASS | CS_PARENTDC | CS_CLASSDC | CS_OWNDC;

std::string RegistrationName(const TWinObj* obj) {
    return obj->ExplicitClassName ? obj->ClassName : "obj_" + obj->ClassName;
}

// Registers the object's class once; a system class lends its settings and its procedure,
// which becomes the object's default procedure. False when registration fails. The classes
// are wide, so that their windows hold their texts as they are on any system code page.
bool RegisterObjClass(TWinObj* obj) {
    WNDCLASSW cls{};
    cls.style = obj->ClassStyle;
    cls.hInstance = ModuleInstance();
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    WNDCLASSW found{};
    if (GetClassInfoW(ModuleInstance(), win::Wide(obj->ClassName).c_str(), &found) &&
        found.lpfnWndProc != SharedWindowProc) {
        cls = found;
        cls.hInstance = ModuleInstance();
        cls.style &= ~ForeignClassStyles;
        obj->DefaultProc = found.lpfnWndProc;
    }
    const std::wstring name = win::Wide(RegistrationName(obj));
    WNDCLASSW existing{};
    if (GetClassInfoW(ModuleInstance(), name.c_str(), &existing))
        return true;
    cls.lpfnWndProc = SharedWindowProc;
    cls.lpszClassName = name.c_str();
    return RegisterClassW(&cls) != 0;
}

// Shows a window that was made before it was meant to be seen, with its children.
void ShowCreated(TWinObj* obj) {
    for (TWinObj* child : obj->Children)
        if (child->Window || !child->IsForm)
            ShowObjWindow(child);
    if (obj->CreatedHidden) {
        obj->CreatedHidden = false;
        obj->Style |= WS_VISIBLE;
        ShowWindow(obj->Window, obj->IsControl ? SW_SHOWNA : SW_SHOW);
    }
}

HWND CreateObjWindow(TWinObj* obj, bool show) {
    // A parent made now makes its children too, this one among them.
    if (obj->IsControl && !obj->Parent->Window && !CreateObjWindow(obj->Parent, show))
        return nullptr;
    if (obj->Window) {
        if (show)
            ShowCreated(obj);
        return obj->Window;
    }
    if (!show && (obj->Style & WS_VISIBLE)) {
        obj->Style &= ~WS_VISIBLE;
        obj->CreatedHidden = true;
    }
    if (!RegisterObjClass(obj))
        return nullptr;
    int x = obj->Bounds.left, y = obj->Bounds.top;
    int w = obj->Bounds.right - obj->Bounds.left, h = obj->Bounds.bottom - obj->Bounds.top;
    if (w == 0)
        w = CW_USEDEFAULT;
    if (h == 0)
        h = CW_USEDEFAULT;
    if (!obj->IsControl && !obj->LeftSet && !obj->TopSet)
        x = y = CW_USEDEFAULT;
    HWND parent = obj->IsControl ? obj->Parent->Window : nullptr;
    HMENU id = obj->IsControl ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(obj->Id)) : nullptr;
    Toolkit().CreationSlot = obj;
    HWND window = CreateWindowExW(obj->ExStyle, win::Wide(RegistrationName(obj)).c_str(),
                                  win::Wide(obj->Caption).c_str(), obj->Style, x, y, w, h, parent,
                                  id, ModuleInstance(), nullptr);
    Toolkit().CreationSlot = nullptr;
    if (!window)
        return nullptr;
    SendMessageW(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (!GetPropA(window, "SELF_")) {
        obj->Window = window;
        SetPropA(window, "SELF_", obj);
    }
    if (obj->IsForm)
        SendMessageW(window, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(LoadIconW(ModuleInstance(), L"MAINICON")));
    if (obj->Font)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(obj->Font->Get()), FALSE);
    for (TWinObj* child : obj->Children)
        if (child->IsControl)
            CreateObjWindow(child, show);
    return window;
}

} // namespace

HWND EnsureWindow(TWinObj* obj) {
    return CreateObjWindow(obj, obj->Window ? false : LoopRunning());
}

HWND ShowObjWindow(TWinObj* obj) {
    return CreateObjWindow(obj, true);
}

LRESULT SendObjMessage(TWinObj* obj, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND window = EnsureWindow(obj);
    return window ? SendMessageW(window, msg, wParam, lParam) : 0;
}

void FreeObj(TWinObj* obj) {
    if (!obj)
        return;
    // The window first: its children's windows die with it and unbind their objects.
    if (obj->Window)
        DestroyWindow(obj->Window);
    for (TWinObj* child : obj->Children) {
        child->Parent = nullptr;
        FreeObj(child);
    }
    if (TWinObj* parent = obj->Parent) {
        auto& siblings = parent->Children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), obj), siblings.end());
    }
    TToolkitState& kit = Toolkit();
    if (kit.MainWindow == obj)
        kit.MainWindow = nullptr;
    delete obj;
}
