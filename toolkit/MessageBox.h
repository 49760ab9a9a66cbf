#pragma once
// Plain system message boxes, owned by the toolkit's main window.

#include <string>

// MessageBoxA owned by the main window and titled with its caption; while there is no main
// window, with no owner and the system's default title. Returns the pressed button's id.
int ShowMessageBox(const std::string& text, unsigned flags);
// ShowMessageBox with MB_OK | MB_SETFOREGROUND.
void ShowOkMessage(const std::string& text);
