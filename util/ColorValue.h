#pragma once
// Colour values, 32 bits: with the top bit clear an RGB colour 0x00BBGGRR; with it set a
// system colour (GetSysColor) whose index is the low byte, looked up each time it is used.
// A system colour has two spellings that read alike: the window objects set the top bit
// alone, the dyed text, whose colours are signed, sets the whole top byte.

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

// The system colours the program names, numbered as GetSysColor numbers them.
enum TSysColorIndex : std::uint8_t {
    scWindow = 5,
    scWindowText = 8,
    scBtnFace = 15,
};

inline constexpr std::uint32_t SysColorBit = 0x80000000u;

// A system colour as the window objects write it: 0x80000000 + index.
constexpr std::uint32_t SysColor(TSysColorIndex index) {
    return SysColorBit | index;
}

// A system colour as the dyed text writes it: 0xFF000000 + index.
constexpr std::int32_t DyedSysColor(TSysColorIndex index) {
    return static_cast<std::int32_t>(0xFF000000u | SysColor(index));
}

#ifdef _WIN32
static_assert(scWindow == COLOR_WINDOW && scWindowText == COLOR_WINDOWTEXT &&
              scBtnFace == COLOR_BTNFACE);

// The RGB colour a colour value stands for now.
inline COLORREF ColorToRGB(std::uint32_t value) {
    return (value & SysColorBit) != 0 ? GetSysColor(static_cast<int>(value & 0xFF)) : value;
}

inline COLORREF ColorToRGB(std::int32_t value) {
    return ColorToRGB(static_cast<std::uint32_t>(value));
}
#endif
