#pragma once
// Code page 1251, the system's text encoding, for the places where text leaves it:
// file names on POSIX, and the UTF-8 output of the tools.

#include <string>
#include <string_view>

namespace cp1251 {

// The lower-case partner of an upper-case Latin or Cyrillic letter; any other byte as it is.
char ToLower(char c);
bool IsUpper(char c);
// A Latin or Cyrillic letter of either case.
bool IsLetter(char c);

std::string ToUtf8(std::string_view text);
// The byte of code point U; false, with `byte` unchanged, when code page 1251 has none.
bool FromCodePoint(char32_t u, char& byte);
// Characters that code page 1251 lacks, and malformed sequences, become '?'.
std::string FromUtf8(std::string_view text);

} // namespace cp1251
