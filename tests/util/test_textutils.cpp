#include "util/JsonText.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace {

TEST(ScaleInt, TruncatesAfterA64BitProduct) {
    EXPECT_EQ(ScaleInt(799, 12, 20), 479) << "479.4 truncated, not rounded";
    EXPECT_EQ(ScaleInt(19, 1, 20), 0);
    EXPECT_EQ(ScaleInt(-799, 12, 20), -479) << "toward zero for a negative quotient";
    EXPECT_EQ(ScaleInt(799, -12, 20), -479);
    EXPECT_EQ(ScaleInt(2000000000, 1000, 2000), 1000000000) << "the product exceeds 32 bits";
    EXPECT_EQ(ScaleInt(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(ScaleInt(INT_MAX, 1, 1), INT_MAX) << "the top of the range is no overflow";
}

TEST(ScaleInt, ZeroDenominatorAndOverflowRaise) {
    EXPECT_THROW(ScaleInt(1, 1, 0), std::domain_error);
    EXPECT_THROW(ScaleInt(INT_MAX, 2, 1), std::overflow_error);
    EXPECT_THROW(ScaleInt(INT_MIN, -1, 1), std::overflow_error);
}

TEST(IntToDecimal, SignedThirtyTwoBit) {
    EXPECT_EQ(IntToDecimal(0), "0");
    EXPECT_EQ(IntToDecimal(-17), "-17");
    EXPECT_EQ(IntToDecimal(INT_MAX), "2147483647");
    EXPECT_EQ(IntToDecimal(INT_MIN), "-2147483648");
}

TEST(TrimBlanks, CutsControlCharactersAndSpacesAtBothEnds) {
    EXPECT_EQ(TrimBlanks("  a b \t"), "a b");
    EXPECT_EQ(TrimBlanks("\r\n\x01x\x1F"), "x");
    EXPECT_EQ(TrimBlanks(std::string_view("\0 y\0", 4)), "y") << "a zero is below 0x20 too";
    EXPECT_EQ(TrimBlanks(" \t\r\n\x01 "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(TrimBlanks("\xA0Ж\xA0"), "\xA0Ж\xA0") << "codes above 0x20 stay";
}

TEST(FileNamePart, AfterTheLastColonOrBackslash) {
    EXPECT_EQ(FileNamePart("C:\\dir\\Kelvo.exe"), "Kelvo.exe");
    EXPECT_EQ(FileNamePart("C:Kelvo.exe"), "Kelvo.exe");
    EXPECT_EQ(FileNamePart("Kelvo.exe"), "Kelvo.exe");
    EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
    EXPECT_EQ(FileNamePart("a/b"), "a/b") << "a slash is not a separator";
    EXPECT_EQ(FileNamePart(""), "");
}

TEST(FolderPart, CutsAfterTheLastColonOrBackslash) {
    EXPECT_EQ(FolderPart("C:\\Apps\\Demo\\Other.exe"), "C:\\Apps\\Demo\\");
    EXPECT_EQ(FolderPart("C:Other.exe"), "C:");
    EXPECT_EQ(FolderPart("\\\\server\\share\\a:b\\c"), "\\\\server\\share\\a:b\\");
    EXPECT_EQ(FolderPart("x\\y:z"), "x\\y:") << "a ':' after the last '\\' ends the folder";
    EXPECT_EQ(FolderPart("C:\\Apps\\"), "C:\\Apps\\");
    EXPECT_EQ(FolderPart("Other.exe"), "") << "a bare file name has no folder";
    EXPECT_EQ(FolderPart(""), "");
}

TEST(PathParts, SplitAtTheSeparatorsGiven) {
    EXPECT_EQ(FolderPart("C:x", "\\"), "");
    EXPECT_EQ(FileNamePart("C:x", "\\"), "C:x") << "':' is not one of them";
    EXPECT_EQ(FolderPart("shots/a\\b/c.png", "\\/"), "shots/a\\b/");
    EXPECT_EQ(FileNamePart("shots/a\\b/c.png", "\\/"), "c.png");
}

TEST(JsonString, QuotesAndEscapesControlCharacters) {
    EXPECT_EQ(JsonString(std::string("a\\b\x01\x1f\t\x7f", 7)),
              "\"a\\\\b\\u0001\\u001f\\t\\u007f\"");
}

TEST(CompareTextLocale, SignOfTheOrder) {
    EXPECT_EQ(CompareTextLocale("abc", "abc"), 0);
    EXPECT_LT(CompareTextLocale("abc", "abd"), 0);
    EXPECT_GT(CompareTextLocale("б", "а"), 0);
    EXPECT_NE(CompareTextLocale("Abc", "abc"), 0) << "case counts";
    EXPECT_LT(CompareTextLocale("", "a"), 0);
}

} // namespace
