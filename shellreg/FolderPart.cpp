#include "shellreg/UnitReg2.h"

std::string FolderPart(std::string_view path) {
    const auto last = path.find_last_of(":\\");
    if (last == std::string_view::npos)
        return {};
    return std::string(path.substr(0, last + 1));
}
