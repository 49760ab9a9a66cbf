#include "util/CmdLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CmdLine, QuotedPathWithASpace) {
    const char* line = "KelvoDemo.exe \"C:\\My Demos\\a.KelvoDemo\" x";
    EXPECT_EQ(CmdLineParamOf(line, 0), "KelvoDemo.exe");
    EXPECT_EQ(CmdLineParamOf(line, 1), "C:\\My Demos\\a.KelvoDemo");
    EXPECT_EQ(CmdLineParamOf(line, 2), "x");
    EXPECT_EQ(CmdLineParamOf(line, 3), "");
    EXPECT_EQ(CmdLineParamCountOf(line), 2);
}

TEST(CmdLine, EmptyQuotePairsAreSkipped) {
    EXPECT_EQ(CmdLineParamOf("prog \"\"", 1), "");
    EXPECT_EQ(CmdLineParamCountOf("prog \"\""), 0);
    EXPECT_EQ(CmdLineParamOf("prog \"\"\"\"x \"\" y", 1), "x");
    EXPECT_EQ(CmdLineParamOf("prog \"\"\"\"x \"\" y", 2), "y");
    EXPECT_EQ(CmdLineParamCountOf("prog \"\"\"\"x \"\" y"), 2);
}

TEST(CmdLine, QuotesInsideATokenStay) {
    EXPECT_EQ(CmdLineParamOf("p a\"b c\"d e", 1), "a\"b c\"d") << "a quoted stretch keeps blanks";
    EXPECT_EQ(CmdLineParamOf("p a\"b c\"d e", 2), "e");
    EXPECT_EQ(CmdLineParamOf("p \"a\"b\"", 1), "a\"b") << "only the outer pair goes";
    EXPECT_EQ(CmdLineParamOf("p \"", 1), "\"") << "a lone quote is a token of its own";
    EXPECT_EQ(CmdLineParamOf("p \"open ended", 1), "\"open ended") << "a quote to the end";
    EXPECT_EQ(CmdLineParamOf("\"C:\\Program Files\\K.exe\" /register", 0),
              "C:\\Program Files\\K.exe");
}

TEST(CmdLine, BlanksAndControlCharactersSeparate) {
    const char* line = "  prog\t/register\r\n\x01 /x  ";
    EXPECT_EQ(CmdLineParamOf(line, 0), "prog");
    EXPECT_EQ(CmdLineParamOf(line, 1), "/register");
    EXPECT_EQ(CmdLineParamOf(line, 2), "/x");
    EXPECT_EQ(CmdLineParamCountOf(line), 2);
    EXPECT_EQ(CmdLineParamOf("p Путь", 1), "Путь") << "cp1251 letters are not blanks";
    EXPECT_EQ(CmdLineParamOf("p a", -1), "");
}

TEST(CmdLine, EmptyLinesAndTheZeroCharacter) {
    EXPECT_EQ(CmdLineParamOf("", 0), "");
    EXPECT_EQ(CmdLineParamCountOf(""), 0);
    EXPECT_EQ(CmdLineParamCountOf("   "), 0);
    EXPECT_EQ(CmdLineParamCountOf("prog"), 0);
    std::string_view cut("prog a\0b", 8);
    EXPECT_EQ(CmdLineParamOf(cut, 1), "a") << "the line ends at its zero";
    EXPECT_EQ(CmdLineParamCountOf(cut), 1);
}

} // namespace
