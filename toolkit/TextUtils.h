#pragma once
// Small text and number functions of the toolkit.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// a * num / den with a 64-bit intermediate product, truncated toward zero.
std::int32_t ScaleInt(std::int32_t a, std::int32_t num, std::int32_t den);

// Decimal text, with "-" before a negative number.
std::string IntToDecimal(std::int32_t n);

// One argument of FormatText: a number or a text, each taking one native word.
class TFormatArg {
public:
    enum class TKind { Number, Text };
    TFormatArg(std::int32_t n) : Kind(TKind::Number), Slot(static_cast<std::uintptr_t>(n)) {}
    TFormatArg(std::uint32_t n) : Kind(TKind::Number), Slot(n) {}
    TFormatArg(const void* p) : Kind(TKind::Number), Slot(reinterpret_cast<std::uintptr_t>(p)) {}
    TFormatArg(const char* s) : Kind(TKind::Text), Slot(reinterpret_cast<std::uintptr_t>(s)) {}
    TFormatArg(const std::string& s) : TFormatArg(s.c_str()) {}
    TKind Kind;
    std::uintptr_t Slot;
};

// wvsprintfA semantics. Each conversion of the template must match its argument's kind
// (a text for %s, a number otherwise) and their counts must agree; a mismatch raises
// std::logic_error instead of reading the wrong memory.
std::string FormatText(const char* fmt, std::initializer_list<TFormatArg> args);

// S without leading and trailing characters of code 0x20 or below.
std::string TrimBlanks(std::string_view s);

// CompareStringA(LOCALE_USER_DEFAULT, 0, a, -1, b, -1) - 2: negative, 0 or positive.
int CompareTextLocale(const std::string& a, const std::string& b);

// The text after the last ':' or '\' (all of it when neither occurs).
std::string FileNamePart(std::string_view path);

// For callers that need a zero-terminated copy in a buffer of their own.
char* CopyCStr(char* dst, const char* src);
std::size_t CStrLen(const char* p);
