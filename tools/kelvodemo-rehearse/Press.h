#pragma once
// Pressing the panel's button as a presenter does: the panel in front, then the Enter key.

#include <windows.h>

// Brings FORM to the foreground; false when it does not get there within a second.
bool BringToFront(HWND form);

// Types Enter into the foreground window; false when the input could not be sent.
bool TypeEnter();

// Clicks BUTTON by message, for when input cannot reach the panel.
void ClickButton(HWND button);
