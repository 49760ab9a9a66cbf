#include "toolkit/CmdLine.h"

#include <windows.h>

#include <array>
#include <cstring>

namespace {

std::string ModulePath() {
    std::array<char, MAX_PATH + 1> path{};
    DWORD n = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    return std::string(path.data(), strnlen(path.data(), n));
}

} // namespace

std::string CmdLineParam(int i) {
    if (i == 0)
        return ModulePath();
    return CmdLineParamOf(GetCommandLineA(), i);
}

int CmdLineParamCount() {
    return CmdLineParamCountOf(GetCommandLineA());
}
