#pragma once
// Character classes of the input stream. The zero character ends every text and belongs to
// none of them, so a scan that stops at the end of a class also stops at the end of the text.

#include "util/LineBreaks.h"

#include <cstddef>

namespace qstm {

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Latin letters and the underscore; the upper half of the code page (Cyrillic) is not.
inline bool IsLetter(char c) {
    const char lower = static_cast<char>(c | 0x20);
    return (lower >= 'a' && lower <= 'z') || c == '_';
}

inline bool IsIdentChar(char c) {
    return IsLetter(c) || IsDigit(c);
}

inline bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

// The value of a hexadecimal digit, or -1.
inline int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    const char lower = static_cast<char>(c | 0x20);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

inline char ClosingBracket(char open) {
    switch (open) {
    case '(':
        return ')';
    case '[':
        return ']';
    default:
        return '}';
    }
}

} // namespace qstm
