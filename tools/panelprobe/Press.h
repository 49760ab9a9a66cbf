#pragma once
// Pressing keys as a user does, through the system's input queue: the panel's button for the
// rehearsal runner, and every key that a test types.

#include <windows.h>

// Brings FORM to the foreground; false when it does not get there within a second.
bool BringToFront(HWND form);

// One key going down or coming up, to whatever window has the focus; false when the input
// could not be sent.
bool SendKey(WORD key, bool up);

// KEY pressed and released, with Shift held around it if asked.
bool PressKey(WORD key, bool shift = false);

// Types Enter into the foreground window; false when the input could not be sent.
bool TypeEnter();

// Clicks BUTTON by message, for when input cannot reach the panel.
void ClickButton(HWND button);
