#include "os/Platform.h"

#include <windows.h>

#include <array>

namespace os {

std::string FormatSlots(const char* format, const std::uintptr_t* slots, std::size_t count) {
    // The formatter writes at most 1024 bytes; the rest of the buffer is headroom for its
    // known overshoot at the very end of that limit.
    std::array<char, 2048> buffer{};
    std::uintptr_t none = 0;
    // On x64 an argument list is the address of consecutive word-sized slots.
    auto args = reinterpret_cast<va_list>(const_cast<std::uintptr_t*>(count != 0 ? slots : &none));
    wvsprintfA(buffer.data(), format, args);
    buffer.back() = 0;
    return buffer.data();
}

} // namespace os
