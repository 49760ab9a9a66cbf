// The OS seam and the text encoding: what every other part takes for granted.
#include "os/CodePage.h"
#include "os/Cp1251.h"
#include "os/Platform.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Encoding, RussianLiteralIsCp1251Bytes) {
    const std::string word = "Ёжик";
    ASSERT_EQ(word.size(), 4u) << "one byte per letter";
    EXPECT_EQ(static_cast<unsigned char>(word[0]), 0xA8);
    EXPECT_EQ(static_cast<unsigned char>(word[1]), 0xE6);
    EXPECT_EQ(static_cast<unsigned char>(word[2]), 0xE8);
    EXPECT_EQ(static_cast<unsigned char>(word[3]), 0xEA);
}

TEST(Encoding, Utf8RoundTripOfEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(cp1251::FromUtf8(cp1251::ToUtf8(all)), all);
    EXPECT_EQ(cp1251::ToUtf8("Офис"), "\xD0\x9E\xD1\x84\xD0\xB8\xD1\x81");
    EXPECT_EQ(cp1251::FromUtf8("\xE2\x82\xAC"), "\x88") << "the euro sign";
    EXPECT_EQ(cp1251::FromUtf8("\xE4\xB8\xAD"), "?") << "a character cp1251 lacks";
    EXPECT_EQ(cp1251::FromUtf8("a\xC3"), "a?") << "a cut sequence";
}

TEST(Encoding, Utf16RoundTripOfEveryByteAndWhatCp1251Lacks) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::u16string wide = cp1251::ToUtf16(all);
    ASSERT_EQ(wide.size(), all.size()) << "one unit per byte";
    EXPECT_EQ(cp1251::FromUtf16(wide), all);
    EXPECT_EQ(cp1251::ToUtf16("Ёж \x88"), u"Ёж \u20AC");
    std::size_t lost = 9;
    EXPECT_EQ(cp1251::FromUtf16(u"Jos\u00E9 ?", &lost), "Jos? ?");
    EXPECT_EQ(lost, 1u) << "a question mark of the text is no lost character";
    EXPECT_EQ(cp1251::FromUtf16(u"a\U0001F600b\xD800", &lost), "a?b?");
    EXPECT_EQ(lost, 2u) << "a surrogate pair is one character, a lone surrogate another";
}

// Code page 65001 as Windows reads bytes in it: a byte that begins no UTF-8 sequence is U+FFFD.
std::u16string ReadAsUtf8(std::string_view bytes) {
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const char32_t u = cp1251::NextCodePoint(bytes, i);
        out += u == cp1251::Malformed || u > 0xFFFF ? u'\uFFFD' : static_cast<char16_t>(u);
    }
    return out;
}

TEST(CodePage, OnUtf8NoCyrillicNameReadsTheSameSoNoTwoCollide) {
    EXPECT_EQ(ReadAsUtf8("Филиал"), ReadAsUtf8("Москва")) << "what the check prevents";
    EXPECT_FALSE(os::ReadsTheSame("Филиал", &ReadAsUtf8));
    EXPECT_FALSE(os::ReadsTheSame("Office-Москва", &ReadAsUtf8));
    EXPECT_TRUE(os::ReadsTheSame("Office-2.kelvo", &ReadAsUtf8));
    EXPECT_TRUE(os::ReadsTheSame("Филиал")) << "the stand-in's code page is 1251";
}

TEST(CaseFolding, LatinAndCyrillicPairs) {
    EXPECT_TRUE(os::SameCharIgnoringCase('A', 'a'));
    EXPECT_TRUE(os::SameCharIgnoringCase('z', 'Z'));
    EXPECT_TRUE(os::SameCharIgnoringCase("Я"[0], "я"[0]));
    EXPECT_TRUE(os::SameCharIgnoringCase("Ё"[0], "ё"[0]));
    EXPECT_TRUE(os::SameCharIgnoringCase("Ї"[0], "ї"[0]));
    EXPECT_FALSE(os::SameCharIgnoringCase('A', 'B'));
    EXPECT_FALSE(os::SameCharIgnoringCase("Е"[0], "Ё"[0]));
    EXPECT_FALSE(os::SameCharIgnoringCase('.', ','));
    EXPECT_FALSE(os::SameCharIgnoringCase('(', '['));
}

TEST(CaseFolding, RepeatedQuestionsGiveTheSameAnswer) {
    // The Windows side answers from a cache after the first question.
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(os::SameCharIgnoringCase("Ж"[0], "ж"[0])) << "round " << round;
        EXPECT_FALSE(os::SameCharIgnoringCase("Ж"[0], "з"[0])) << "round " << round;
    }
}

TEST(LocaleCompare, OrdersAndIgnoresCase) {
    EXPECT_EQ(os::CompareLocale("abc", "abc", false), 0);
    EXPECT_LT(os::CompareLocale("abc", "abd", false), 0);
    EXPECT_GT(os::CompareLocale("b", "a", false), 0);
    EXPECT_LT(os::CompareLocale("ab", "abc", false), 0);
    EXPECT_EQ(os::CompareLocale("ABC", "abc", true), 0);
    EXPECT_NE(os::CompareLocale("ABC", "abc", false), 0);
    EXPECT_LT(os::CompareLocale("Alpha", "beta", false), 0) << "letters before case";
    EXPECT_LT(os::CompareLocale("zebra", "альфа", false), 0) << "Latin before Cyrillic";
    EXPECT_LT(os::CompareLocale("ёж", "ель", false), 0) << "ё sorts as е";
    EXPECT_LT(os::CompareLocale("ель", "ёль", false), 0) << "then after it";
    EXPECT_LT(os::CompareLocale("ёж", "жук", false), 0);
}

class WholeFile : public ::testing::Test {
protected:
    const support::TTempFile file;
    const support::TTempFile cyrillicFile{"_тест_файл.tmp"};
    std::string path = file.Name();
};

TEST_F(WholeFile, WriteThenReadKeepsEveryByte) {
    std::string bytes("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(os::WriteWholeFile(path, bytes));
    std::string back = "old";
    ASSERT_TRUE(os::ReadWholeFile(path, back));
    EXPECT_EQ(back, bytes);
}

TEST_F(WholeFile, EmptyFile) {
    ASSERT_TRUE(os::WriteWholeFile(path, ""));
    std::string back = "old";
    ASSERT_TRUE(os::ReadWholeFile(path, back));
    EXPECT_EQ(back, "");
}

TEST_F(WholeFile, CyrillicFileName) {
    path = cyrillicFile.Name();
    ASSERT_TRUE(os::WriteWholeFile(path, "x"));
    std::string back;
    ASSERT_TRUE(os::ReadWholeFile(path, back));
    EXPECT_EQ(back, "x");
}

TEST(WholeFileFailure, MissingFileLeavesBytesAlone) {
    std::string back = "old";
    EXPECT_FALSE(os::ReadWholeFile("no_such_dir/no_such_file.txt", back));
    EXPECT_EQ(back, "old");
    EXPECT_FALSE(os::WriteWholeFile("no_such_dir/file.txt", "x"));
}

TEST(WholeFileFailure, FolderIsNoFile) {
    const support::TTempFolder folder;
    const std::string name = folder.Name().substr(0, folder.Name().size() - 1);
    std::string back = "old";
    EXPECT_FALSE(os::ReadWholeFile(name, back));
    EXPECT_EQ(back, "old");
}

} // namespace
