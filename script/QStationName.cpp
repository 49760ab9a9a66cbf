#include "script/QStationName.h"

#include "os/Cp1251.h"

#include <array>
#include <cstddef>

namespace {

// A file name component holds at most 255 characters, ".kelvo" included.
constexpr std::size_t MaxNameLength = 255 - 6;

bool IsForbiddenChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32)
        return true;
    for (char bad : std::string_view("\\/:<>\"|?*"))
        if (c == bad)
            return true;
    return false;
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameAsciiWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

// Windows opens the device for any name whose part before the first dot, trailing blanks
// left aside, is a device name: "nul.kelvo" and "Con .kelvo" are devices, not files.
bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    static constexpr std::array<std::string_view, 4> plain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : plain)
        if (SameAsciiWord(base, device))
            return true;
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9')
        return SameAsciiWord(base.substr(0, 3), "COM") || SameAsciiWord(base.substr(0, 3), "LPT");
    return false;
}

} // namespace

bool IsValidStationName(std::string_view name) {
    if (name.empty() || name.size() > MaxNameLength || name == "." || name == "..")
        return false;
    for (char c : name)
        if (IsForbiddenChar(c))
            return false;
    return !IsDeviceName(name);
}

std::string StationNameKey(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        c = cp1251::ToLower(c);
    return key;
}
