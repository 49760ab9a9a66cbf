#pragma once
// The tools' console output. Texts are UTF-8; a Windows console gets them as UTF-16 through
// WriteConsoleW, anything else (a file, a pipe, a terminal on POSIX) the UTF-8 bytes.

#include <string_view>

void WriteStdout(std::string_view utf8);
void WriteStderr(std::string_view utf8);
