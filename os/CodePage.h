#pragma once
// Texts that must reach the system's narrow functions as they are. The system's texts are
// code page 1251, but the narrow functions read bytes in the system's own code page: a file
// name, a command line or a window title that reads otherwise there comes out garbled, and
// on code page 65001 every Cyrillic letter becomes the same U+FFFD.

#include "os/Platform.h"

#include <string>
#include <string_view>

namespace os {

// How some code page reads a text's bytes, as UTF-16.
using TCodePageReader = std::u16string (*)(std::string_view bytes);

// Whether the system's narrow functions (or READ) read TEXT's bytes as the same characters as
// code page 1251 does.
bool ReadsTheSame(std::string_view text, TCodePageReader read = &InSystemCodePage);

} // namespace os

#ifdef _WIN32
#include <windows.h>

namespace win {

// PATH as a text that both code page 1251 and the system's narrow functions read as PATH: as
// it is, or else its short (8.3) form. False when neither form is, or the path does not exist.
bool HeldPath(std::wstring_view path, std::string& held);
// PATH held as HeldPath holds it, or else as near as code page 1251 spells it: whatever then
// opens it fails and says which path it could not open.
std::string HeldOrNear(std::wstring_view path);

} // namespace win
#endif
