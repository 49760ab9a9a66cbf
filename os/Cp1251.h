#pragma once
// Code page 1251, the system's text encoding, for the places where text leaves it:
// file names on POSIX, the UTF-8 output of the tools, and the UTF-16 of Windows' wide
// functions, which show a text the same whatever the system's own code page.

#include <string>
#include <string_view>

namespace cp1251 {

// The lower-case partner of an upper-case Latin or Cyrillic letter; any other byte as it is.
char ToLower(char c);
bool IsUpper(char c);
// A Latin or Cyrillic letter of either case.
bool IsLetter(char c);

std::string ToUtf8(std::string_view text);
// What NextCodePoint gives for a sequence that is not well-formed UTF-8.
inline constexpr char32_t Malformed = 0xFFFFFFFF;
// The code point of the well-formed UTF-8 sequence at s[i], i moved past it; or Malformed, i
// moved past the first byte only. Overlong forms, surrogates and code points beyond U+10FFFF
// are not well-formed.
char32_t NextCodePoint(std::string_view s, std::size_t& i);
// The byte of code point U; false, with `byte` unchanged, when code page 1251 has none.
bool FromCodePoint(char32_t u, char& byte);
// Characters that code page 1251 lacks become '?', and so does each byte of a sequence that
// is not well-formed.
std::string FromUtf8(std::string_view text);

// One UTF-16 unit per byte: every character of code page 1251 lies in the basic plane.
std::u16string ToUtf16(std::string_view text);
// Characters that code page 1251 lacks become '?', a surrogate pair one '?'; LOST, when
// given, is set to how many did.
std::string FromUtf16(std::u16string_view text, std::size_t* lost = nullptr);

} // namespace cp1251
