#include "os/FormatConv.h"

namespace fmtconv {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal digits at p, with the formatter's unsigned 32-bit arithmetic.
std::uint32_t ReadNumber(const char*& p) {
    std::uint32_t n = 0;
    while (IsDigit(*p))
        n = n * 10 + static_cast<std::uint32_t>(*p++ - '0');
    return n;
}

void ReadType(char c, TConversion& conv) {
    switch (c) {
    case 'c':
        conv.Type = conv.Size == 'l' ? TConvType::WideChar : TConvType::Char;
        break;
    case 'C':
        conv.Type = conv.Size == 'h' ? TConvType::Char : TConvType::WideChar;
        break;
    case 'd':
    case 'i':
        conv.Type = TConvType::Signed;
        break;
    case 'u':
        conv.Type = TConvType::Unsigned;
        break;
    case 's':
        conv.Type = conv.Size == 'l' || conv.Size == 'w' ? TConvType::WideText : TConvType::Text;
        break;
    case 'S':
        conv.Type = conv.Size == 'h' ? TConvType::Text : TConvType::WideText;
        break;
    case 'p':
        // An address is always shown in full: as many upper-case digits as a word holds.
        conv.Type = TConvType::Pointer;
        conv.Width = 2 * sizeof(std::uintptr_t);
        conv.ZeroPad = true;
        conv.UpperHex = true;
        break;
    case 'X':
        conv.UpperHex = true;
        conv.Type = TConvType::Hex;
        break;
    case 'x':
        conv.Type = TConvType::Hex;
        break;
    default:
        conv.Type = TConvType::Unknown;
        break;
    }
}

} // namespace

TConversion ParseConversion(const char* start) {
    TConversion conv;
    const char* p = start;
    if (*p == '-') {
        conv.LeftAlign = true;
        ++p;
    }
    if (*p == '#') {
        conv.PrefixHex = true;
        ++p;
    }
    if (*p == '0') {
        conv.ZeroPad = true;
        ++p;
    }
    conv.Width = ReadNumber(p);
    if (*p == '.') {
        ++p;
        conv.Precision = ReadNumber(p);
    }
    if (*p == 'l' || *p == 'h' || *p == 'w')
        conv.Size = *p++;
    ReadType(*p, conv);
    if (conv.Type != TConvType::Unknown)
        ++p;
    conv.Length = static_cast<std::size_t>(p - start);
    return conv;
}

TArgKind ArgKindOf(TConvType type) {
    switch (type) {
    case TConvType::Unknown:
        return TArgKind::None;
    case TConvType::Text:
        return TArgKind::Text;
    case TConvType::WideText:
        return TArgKind::WideText;
    default:
        return TArgKind::Number;
    }
}

} // namespace fmtconv
