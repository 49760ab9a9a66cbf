#pragma once
// The toolkit's main window: the one form that runs the message loop and owns the plain
// message boxes. One slot per process; there is none until a form is made the main window.

#include <windows.h>

#include <string>

// What the rest of the toolkit takes from the main window.
struct TMainWindow {
    HWND Window = nullptr; // 0 while the form has no window yet
    std::string Caption;
};

// The main window, or null while there is none.
const TMainWindow* MainWindow();
// Makes `form` the main window; ClearMainWindow leaves the slot empty again.
void SetMainWindow(TMainWindow form);
void ClearMainWindow();
