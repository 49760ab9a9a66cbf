#pragma once
// How the platform's formatter (wvsprintfA) reads one conversion:
// %[-][#][0][width][.precision][l|h|w]type. Shared by the type check of FormatText and by
// the native stand-in of the formatter, so that both read a template alike.

#include <cstddef>
#include <cstdint>

namespace fmtconv {

enum class TConvType : std::uint8_t {
    Unknown, // not a conversion: the formatter pads, then prints the character itself
    Char,
    WideChar,
    Text,
    WideText,
    Signed,
    Unsigned,
    Hex,
    Pointer,
};

struct TConversion {
    bool LeftAlign = false;
    bool PrefixHex = false;
    bool ZeroPad = false;
    bool UpperHex = false;
    char Size = 0; // 'l', 'h', 'w' or 0
    std::uint32_t Width = 0;
    std::uint32_t Precision = 0;
    TConvType Type = TConvType::Unknown;
    // Characters after the '%' that the conversion takes. An unknown type character is not
    // taken: the formatter goes on with it as ordinary text.
    std::size_t Length = 0;
};

// Reads the conversion that starts right after a '%' (which must not be followed by another).
TConversion ParseConversion(const char* p);

// Whether the conversion takes an argument, and of which kind.
enum class TArgKind : std::uint8_t { None, Number, Text, WideText };
TArgKind ArgKindOf(TConvType type);

} // namespace fmtconv
