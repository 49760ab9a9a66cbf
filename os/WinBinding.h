#pragma once
// Binds a window to the object that handles its messages. The object is the creation
// parameter of CreateWindowEx; the window holds it in its user data from its first message
// (WM_NCCREATE) to its last (WM_NCDESTROY), so that every message between finds it.
//
//     struct TViewer {
//         LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
//     };
//     windowClass.lpfnWndProc = &win::BoundWindowProc<TViewer, &TViewer::OnMessage>;
//     CreateWindowExW(..., instance, &viewer);
//
// The window objects of the toolkit bind themselves by a window property instead.

#include <windows.h>

namespace win {

// The object bound to WINDOW; none while the window has none.
template <typename T>
T* BoundObject(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Binds WINDOW to OBJECT, or unbinds it (none), for windows that are not created by their
// binder, such as subclassed controls.
template <typename T>
void BindObject(HWND window, T* object) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

// The default procedure of the window's own kind: a wide window's texts are UTF-16.
inline LRESULT CALLBACK DefaultWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsWindowUnicode(window))
        return DefWindowProcW(window, msg, wParam, lParam);
    return DefWindowProcA(window, msg, wParam, lParam);
}

// The procedure of a class whose windows are bound to objects of type T: a message goes to
// HANDLER of the window's object, or to UNBOUND while the window has none, as when it was
// created without one.
template <typename T, LRESULT (T::*Handler)(HWND, UINT, WPARAM, LPARAM),
          WNDPROC Unbound = &DefaultWindowProc>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        BindObject(window, static_cast<T*>(create->lpCreateParams));
    }
    T* object = BoundObject<T>(window);
    if (!object)
        return Unbound(window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        BindObject<T>(window, nullptr);
    return (object->*Handler)(window, msg, wParam, lParam);
}

} // namespace win
