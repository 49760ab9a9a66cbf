#include "venue/QVenueProbes.h"

#include "os/Platform.h"
#include "os/Wide.h"
#include "shellreg/UnitReg2.h"

#include <windows.h>

namespace {

// A short (8.3) and a long spelling of one file are the same program.
std::string LongPath(const std::string& path) {
    const std::wstring wide = win::Wide(path);
    std::wstring full(GetLongPathNameW(wide.c_str(), nullptr, 0), L'\0');
    if (full.empty() ||
        !GetLongPathNameW(wide.c_str(), full.data(), static_cast<DWORD>(full.size())))
        return path;
    full.resize(full.size() - 1);
    return win::Narrow(full);
}

} // namespace

TVenueLine FileTypesLine(const std::string& conductor) {
    TVenueLine line{TVenueState::Ready, "Типы файлов", {}, {}};
    const std::string opener = DemoScriptOpener();
    if (opener.empty()) {
        line.State = TVenueState::Warning;
        line.Found = ".KelvoDemo не открывается ничем: двойной щелчок не запустит показ";
    } else if (os::CompareLocale(LongPath(opener).c_str(), LongPath(conductor).c_str(), true) ==
               0) {
        line.Found = ".KelvoDemo открывает этот KelvoDemo.exe";
    } else {
        line.State = TVenueState::Warning;
        line.Found = ".KelvoDemo открывает другой KelvoDemo.exe: двойной щелчок запустит не эту "
                     "версию";
        line.Details.push_back(opener);
    }
    return line;
}
