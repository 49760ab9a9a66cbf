#pragma once

#include <windows.h>

#include <string>

// Puts TEXT on the clipboard as CF_TEXT; false when the clipboard cannot be had.
bool CopyTextToClipboard(HWND owner, const std::string& text);
