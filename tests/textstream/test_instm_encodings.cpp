// A text file in code page 1251, or in UTF-8 with or without its byte-order mark, read as the
// system's text: one character for each of the file's.
#include "InStmTestUtil.h"
#include "errors/err.h"

#include <utility>

namespace {

constexpr auto Cp1251 = TQEncoding::Cp1251;
constexpr auto Utf8 = TQEncoding::Utf8;

TEST(InStmEncodings, WhatEachFileReadsAs) {
    const struct TCase {
        std::string Bytes;
        TQEncoding Encoding;
        std::string Text; // empty: the bytes unchanged
        TQPos Unmapped = NoPos;
        char32_t Code = 0;
    } cases[] = {
        {"'Alpha'", Cp1251, ""},
        {"'Филиал'", Cp1251, ""},
        {"\xEF\xBB\xBF'x'", Utf8, "'x'"},
        {"'\xD0\xA4\xD0\xB8\xD0\xBB\xD0\xB8\xD0\xB0\xD0\xBB \xE2\x82\xAC \xD0\x81\xD1\x91'", Utf8,
         "'Филиал € Ёё'"},
        {std::string("\xD0\x96\0\xD0\xB6", 5), Utf8, std::string("Ж\0ж", 3)},
        // Not well-formed UTF-8: overlong, a surrogate, beyond U+10FFFF, cut short, a lone
        // continuation byte.
        {"\xC0\xAF\xD0\x96", Cp1251, ""},
        {"\xED\xA0\x80\xD0\x96", Cp1251, ""},
        {"\xF4\x90\x80\x80\xD0\x96", Cp1251, ""},
        {"\xD0\x96\xD0", Cp1251, ""},
        {"\xD0\x96\x96", Cp1251, ""},
        // What code page 1251 lacks stands as '?'; the first one is noted.
        {"a\xE2\x9C\x93\xE2\x9C\x93", Utf8, "a??", 1, 0x2713},
        {"\xF0\x9F\x98\x80", Utf8, "?", 0, 0x1F600},
        {"\xEF\xBB\xBF"
         "a\xFF",
         Utf8, "a?", 1, 0xFFFD},
    };
    for (const TCase& c : cases) {
        const TQDecodedText decoded = DecodeText(c.Bytes);
        EXPECT_EQ(decoded.Encoding, c.Encoding) << c.Bytes;
        EXPECT_EQ(decoded.Text, c.Text.empty() ? c.Bytes : c.Text);
        EXPECT_EQ(decoded.Unmapped, c.Unmapped) << c.Bytes;
        EXPECT_EQ(decoded.UnmappedChar, c.Code) << c.Bytes;
    }
}

TEST(InStmEncodings, Utf16IsRefused) {
    for (const std::string& bytes :
         {std::string("\xFF\xFE'\0", 4), std::string("\xFE\xFF\0'", 4)}) {
        try {
            DecodeText(bytes);
            ADD_FAILURE() << "UTF-16 was read";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message,
                      "Сценарий в кодировке UTF-16: сохраните его в UTF-8 или Windows-1251");
        }
    }
}

// Reported before anything is read, so that a comment left open in front of it does not
// hide it.
TEST(InStmEncodings, ACharacterThatCodePage1251LacksIsASyntaxErrorAtItsPlace) {
    const std::pair<std::string, std::string> cases[] = {
        {"/* open\r\n 'a\xE2\x9C\x93'", "Символ U+2713 не представим в кодировке Windows-1251"},
        {"/* open\r\n 'a\xF0\x9F\x98\x80'",
         "Символ U+1F600 не представим в кодировке Windows-1251"},
    };
    for (const auto& [bytes, message] : cases) {
        TQInStm stm;
        stm.Mode = smScript;
        stm.Options = RaiseError;
        ExpectError(Reported(stm, [&] { stm.SetFileText(bytes); }), message, 12, message);
        EXPECT_EQ(stm.Text(), "/* open\r\n 'a?'");
    }
}

} // namespace
