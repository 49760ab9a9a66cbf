#pragma once
// Small text and number functions, for every layer that stands on util.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

// a * num / den with a 64-bit intermediate product, truncated toward zero.
std::int32_t ScaleInt(std::int32_t a, std::int32_t num, std::int32_t den);

// Decimal text, with "-" before a negative number.
std::string IntToDecimal(std::int32_t n);

// One argument of FormatText: a number or a text, each taking one native word.
class TFormatArg {
public:
    enum class TKind { Number, Text, WideText };
    // Any integer (DWORD, LONG and the like among them); the formatter reads as many of its
    // bits as the conversion needs, a signed one sign-extended.
    template <std::integral T>
    TFormatArg(T n) : Kind(TKind::Number), Slot(SlotOf(n)) {}
    TFormatArg(const void* p) : Kind(TKind::Number), Slot(reinterpret_cast<std::uintptr_t>(p)) {}
    TFormatArg(const char* s) : Kind(TKind::Text), Slot(reinterpret_cast<std::uintptr_t>(s)) {}
    TFormatArg(const std::string& s) : TFormatArg(s.c_str()) {}
    // A UTF-16 text, for %S and %ls.
    TFormatArg(const char16_t* s)
        : Kind(TKind::WideText), Slot(reinterpret_cast<std::uintptr_t>(s)) {}
    TKind Kind;
    std::uintptr_t Slot;

private:
    template <std::integral T>
    static std::uintptr_t SlotOf(T n) {
        if constexpr (std::is_signed_v<T>)
            return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(n));
        else
            return static_cast<std::uintptr_t>(n);
    }
};

// wvsprintfA semantics: %[-][0][width][.precision][l|h]type with the types c C d i u x X s S p,
// and %%. Each conversion of the template must match its argument's kind (a text for %s and
// %hS, a wide text for %S and %ls, a number otherwise) and their counts must agree; a
// mismatch, an unknown conversion or the '#' flag raises std::logic_error instead of reading
// the wrong memory. The result holds at most 1023 characters and ends at a zero character.
std::string FormatText(const char* fmt, std::initializer_list<TFormatArg> args);

// Whether every character of S is below 0x80, and so reads the same in every code page.
bool IsAsciiText(std::string_view s);

// S without leading and trailing characters of code 0x20 or below.
std::string TrimBlanks(std::string_view s);

// CompareStringA(LOCALE_USER_DEFAULT, 0, a, -1, b, -1) - 2: negative, 0 or positive.
int CompareTextLocale(const std::string& a, const std::string& b);

// A path's two parts, split after the last of SEPARATORS in it: by default ':', which ends a
// drive, and '\', which ends a folder.
inline constexpr std::string_view PathSeparators = ":\\";
// The path up to and including that separator; empty when it has none.
std::string FolderPart(std::string_view path, std::string_view separators = PathSeparators);
// The text after it; all of it when the path has none.
std::string FileNamePart(std::string_view path, std::string_view separators = PathSeparators);
