#pragma once
// Message dispatch and the message loop: the toolkit's main window, the keyboard filter of
// the default and cancel buttons, Tab navigation, and the loop that runs the main form.

#include "toolkit/WinObj.h"

// The main window: the form that runs the loop, owns plain message boxes and sees, through
// its OnMessage, the messages of every other object while the loop runs. Null while none.
TWinObj* MainWindow();
void SetMainWindow(TWinObj* form);

enum TButtonKey : int { bkEnter = VK_RETURN, bkEscape = VK_ESCAPE };

// Enter makes `button` its form's default button, Esc its cancel button. Nothing happens
// while there is no main window.
void SetKeyButton(TWinObj* button, TButtonKey key, bool on);
// Presses BUTTON as its form's Enter key does, for the key message KEY: WM_KEYDOWN pushes it
// and takes the focus there, WM_KEYUP releases it and so clicks it. False, and nothing done,
// when the button is hidden or disabled.
bool PressWithKey(TWinObj* button, const MSG& key);
// Tab and Shift+Tab move the focus through the form's controls in creation order.
TWinObj* EnableTabKeys(TWinObj* form);

// Shows the form and runs the message loop until it closes; the form is then released and
// `form` cleared. An exception that a handler raised ends the loop and leaves from here.
void RunMainWindow(TWinObj*& form);
// Whether the loop runs, and whether it has ended for good.
bool LoopRunning();
bool Terminated();
void PostClose(TWinObj* obj);

// The procedure of every window class the toolkit registers.
LRESULT CALLBACK SharedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
