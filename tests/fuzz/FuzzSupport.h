#pragma once
// What the fuzz targets share. A broken invariant aborts with its description, which
// libFuzzer reports as a crash and saves the input that broke it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline void Require(bool holds, const char* invariant) {
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A text whose buffer holds exactly its characters and the terminating zero, so that
// AddressSanitizer sees a read beyond the zero (in texts too long for the string's own
// small buffer).
inline std::string TightText(std::string_view s) {
    return std::string(s.data(), s.size());
}

} // namespace fuzz
