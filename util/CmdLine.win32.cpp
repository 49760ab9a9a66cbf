#include "util/CmdLine.h"

#include "os/Wide.h"

#include <windows.h>

#include <array>

namespace {

std::string ToUtf8(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(std::string_view text) {
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), n);
    return out;
}

} // namespace

std::wstring WideProgramPath() {
    std::array<wchar_t, MAX_PATH + 1> path{};
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
    return std::wstring(path.data(), wcsnlen(path.data(), n));
}

std::string ProgramPath() {
    return win::Narrow(WideProgramPath());
}

// Split in UTF-8, whose quotes and blanks are the same bytes as in code page 1251 and occur in
// no other character.
std::wstring WideCmdLineParam(int i) {
    if (i == 0)
        return WideProgramPath();
    return FromUtf8(CmdLineParamOf(ToUtf8(GetCommandLineW()), i));
}

std::string CmdLineParam(int i) {
    return win::Narrow(WideCmdLineParam(i));
}

int CmdLineParamCount() {
    return CmdLineParamCountOf(ToUtf8(GetCommandLineW()));
}
