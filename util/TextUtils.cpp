#include "util/TextUtils.h"

#include "os/Platform.h"

#include <limits>
#include <stdexcept>

std::int32_t ScaleInt(std::int32_t a, std::int32_t num, std::int32_t den) {
    // The processor's divide would fault on both; the system's texts for those faults.
    if (den == 0)
        throw std::domain_error("Division by zero");
    std::int64_t q = static_cast<std::int64_t>(a) * num / den;
    if (q < std::numeric_limits<std::int32_t>::min() ||
        q > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("Integer overflow");
    return static_cast<std::int32_t>(q);
}

std::string IntToDecimal(std::int32_t n) {
    return std::to_string(n);
}

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

bool IsAsciiText(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string TrimBlanks(std::string_view s) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && IsBlankOrControl(s[first]))
        ++first;
    while (last > first && IsBlankOrControl(s[last - 1]))
        --last;
    return std::string(s.substr(first, last - first));
}

int CompareTextLocale(const std::string& a, const std::string& b) {
    return os::CompareLocale(a.c_str(), b.c_str(), false);
}

std::string FolderPart(std::string_view path, std::string_view separators) {
    const std::size_t cut = path.find_last_of(separators);
    return std::string(cut == std::string_view::npos ? std::string_view()
                                                     : path.substr(0, cut + 1));
}

std::string FileNamePart(std::string_view path, std::string_view separators) {
    const std::size_t cut = path.find_last_of(separators);
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}
