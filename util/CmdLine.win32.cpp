#include "util/CmdLine.h"

#include <windows.h>

#include <array>
#include <cstring>

std::string ProgramPath() {
    std::array<char, MAX_PATH + 1> path{};
    DWORD n = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    return std::string(path.data(), strnlen(path.data(), n));
}

std::string CmdLineParam(int i) {
    if (i == 0)
        return ProgramPath();
    return CmdLineParamOf(GetCommandLineA(), i);
}

int CmdLineParamCount() {
    return CmdLineParamCountOf(GetCommandLineA());
}
