#include "util/Console.h"

#include <windows.h>

#include <string>

namespace {

void WriteToConsole(HANDLE handle, std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int wideSize = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wideSize);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

void WriteTo(DWORD which, std::string_view utf8) {
    if (utf8.empty())
        return;
    HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteToConsole(handle, utf8);
        return;
    }
    while (!utf8.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) ||
            written == 0)
            return;
        utf8.remove_prefix(written);
    }
}

} // namespace

void WriteStdout(std::string_view utf8) {
    WriteTo(STD_OUTPUT_HANDLE, utf8);
}

void WriteStderr(std::string_view utf8) {
    WriteTo(STD_ERROR_HANDLE, utf8);
}
