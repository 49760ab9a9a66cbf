#include "os/CodePage.h"

#include "os/Wide.h"

namespace win {
namespace {

bool HeldAsItIs(std::wstring_view path, std::string& held) {
    std::size_t lost = 0;
    std::string text = Narrow(path, &lost);
    if (lost != 0 || !os::ReadsTheSame(text))
        return false;
    held = std::move(text);
    return true;
}

} // namespace

std::string HeldOrNear(std::wstring_view path) {
    std::string held;
    return HeldPath(path, held) ? held : Narrow(path);
}

bool HeldPath(std::wstring_view path, std::string& held) {
    if (HeldAsItIs(path, held))
        return true;
    const std::wstring full(path);
    const DWORD n = GetShortPathNameW(full.c_str(), nullptr, 0);
    if (n == 0)
        return false;
    std::wstring shortPath(n, L'\0');
    shortPath.resize(GetShortPathNameW(full.c_str(), shortPath.data(), n));
    return HeldAsItIs(shortPath, held);
}

} // namespace win
