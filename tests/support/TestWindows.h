#pragma once
// Windows of classes that a test registers itself, standing for a station, the conductor or
// the trace viewer: hidden top-level windows of this thread, which FindWindowA finds by class
// and title as it finds the real ones.

#include "os/WinBinding.h"
#include "os/WinHandle.h"

#include <windows.h>

namespace support {

// A window of CLASSNAME, registered with PROC on first use (a later registration of the same
// name fails harmlessly and the first one stays), created with PARAM.
win::TWindow MakeClassWindow(const char* className, const char* title,
                             WNDPROC proc = &win::DefaultWindowProc, void* param = nullptr);

// The same bound to OBJECT, which gets every message of the window through
// LRESULT T::OnMessage(HWND, UINT, WPARAM, LPARAM) and must outlive it.
template <typename T>
win::TWindow MakeBoundWindow(const char* className, const char* title, T& object) {
    return MakeClassWindow(className, title, &win::BoundWindowProc<T, &T::OnMessage>, &object);
}

} // namespace support
