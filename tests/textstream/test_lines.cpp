#include "textstream/QStm.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The stream's line count as defined: breaks counted backwards from the position, a pair of
// different break characters once; a position on the second character of a pair first moved
// back. Deliberately slow and literal, to check the fast count and its cache against.
bool Brk(char c) {
    return c == '\r' || c == '\n';
}

bool SecondOfPair(const std::string& t, std::size_t p) {
    if (p == 0 || p >= t.size() || !Brk(t[p]) || !Brk(t[p - 1]) || t[p - 1] == t[p])
        return false;
    std::size_t last = p;
    while (last + 1 < t.size() && Brk(t[last + 1]))
        ++last;
    return t[last] == t[p];
}

int ModelLine(const std::string& t, std::size_t to) {
    if (SecondOfPair(t, to))
        --to;
    int n = 0;
    while (0 < to) {
        if (Brk(t[to - 1])) {
            ++n;
            if (to >= 2 && Brk(t[to - 2]) && t[to - 2] != t[to - 1])
                --to;
        }
        --to;
    }
    return n;
}

TQInStm Stream(std::string text) {
    TQInStm stm;
    stm.Mode = smScheme;
    stm.SetText(std::move(text));
    return stm;
}

TEST(LineOf, SecondCharacterOfAPairCountsAsTheFirst) {
    TQInStm stm = Stream("ab\r\ncd");
    EXPECT_EQ(stm.LineOf(4), 1) << "c";
    EXPECT_EQ(stm.ColumnOf(4), 0);
    EXPECT_EQ(stm.LineOf(3), 0) << "the LF of the pair";
    EXPECT_EQ(stm.ColumnOf(3), 2);
    EXPECT_EQ(stm.LineOf(2), 0);
    EXPECT_EQ(stm.ColumnOf(2), 2);
    EXPECT_EQ(stm.LineOf(0), 0);
    EXPECT_EQ(stm.ColumnOf(6), 2) << "the end of the text";
}

TEST(LineOf, PairRules) {
    EXPECT_EQ(Stream("a\n\nb").LineOf(3), 2) << "LF LF is two breaks";
    EXPECT_EQ(Stream("a\r\r\nb").LineOf(4), 2) << "CR, then the pair CR LF";
    EXPECT_EQ(Stream("a\r\r\nb").LineOf(3), 1) << "the LF of that pair";
    EXPECT_EQ(Stream("a\r\rb").LineOf(3), 2);
    EXPECT_EQ(Stream("a\n\rb").LineOf(3), 1) << "LF CR is one break";
    // CR LF CR LF: the second and the fourth character are second characters.
    TQInStm four = Stream("a\r\n\r\nb");
    EXPECT_EQ(four.LineOf(5), 2);
    EXPECT_EQ(Stream("a\r\n\r\nb").LineOf(4), 1) << "fourth: on the third";
    EXPECT_EQ(Stream("a\r\n\r\nb").LineOf(3), 1) << "third: a line start";
    EXPECT_EQ(Stream("a\r\n\r\nb").LineOf(2), 0) << "second: on the first";
    EXPECT_EQ(Stream("a\r\n\r\nb").ColumnOf(4), 0);
    // CR LF LF: only the second character is one.
    EXPECT_EQ(Stream("a\r\n\nb").LineOf(2), 0);
    EXPECT_EQ(Stream("a\r\n\nb").LineOf(3), 1);
    EXPECT_EQ(Stream("a\r\n\nb").LineOf(4), 2);
    EXPECT_EQ(Stream("a\r\n\nb").ColumnOf(3), 0);
}

TEST(LineOf, DefaultsToTheCurrentPosition) {
    TQInStm stm = Stream("x\r\n  y");
    stm.SetPos(5);
    EXPECT_EQ(stm.LineOf(), 1);
    EXPECT_EQ(stm.ColumnOf(), 2);
}

TEST(LineOf, LaterThenEarlierReportsMatchACountFromTheStart) {
    const std::string text = "one\r\ntwo\nthree\rfour\n\rfive\r\n\r\nsix\n\nseven";
    TQInStm stm = Stream(text);
    for (std::size_t p : {text.size(), std::size_t{20}, std::size_t{5}, std::size_t{0},
                          std::size_t{30}, std::size_t{31}, std::size_t{12}})
        EXPECT_EQ(stm.LineOf(p), ModelLine(text, p)) << "position " << p;
    EXPECT_EQ(stm.LineOf(text.size()), 8);
}

// Any order of positions over texts made of few characters, where every kind of break and of
// run of breaks occurs, gives what a count from the start gives.
TEST(LineOf, CacheAgreesWithTheCountFromTheStartOnRandomTexts) {
    std::mt19937 random(2024);
    const char alphabet[] = {'\r', '\n', 'x'};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        std::size_t size = random() % 24;
        for (std::size_t i = 0; i < size; ++i)
            text += alphabet[random() % 3];
        TQInStm stm = Stream(text);
        for (int q = 0; q < 40; ++q) {
            std::size_t p = random() % (text.size() + 1);
            ASSERT_EQ(stm.LineOf(p), ModelLine(text, p)) << "round " << round << ", position " << p
                                                         << " of " << testing::PrintToString(text);
        }
    }
}

TEST(LineOf, LongLinesAcrossTheWideScan) {
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += std::string(static_cast<std::size_t>(i * 7 % 40), 'x') + (i % 3 == 0   ? "\r\n"
                                                                          : i % 3 == 1 ? "\n"
                                                                                       : "\r");
    text += std::string(33, 'y');
    TQInStm stm = Stream(text);
    for (std::size_t p = 0; p <= text.size(); p += 3)
        ASSERT_EQ(stm.LineOf(p), ModelLine(text, p)) << "position " << p;
    EXPECT_EQ(stm.LineOf(text.size()), 50);
}

TEST(LineStartAndNextLine, PairsAndTheEnd) {
    TQInStm stm = Stream("ab\r\ncd\n\rx\n\ny");
    EXPECT_EQ(stm.LineStart(1), 0u);
    EXPECT_EQ(stm.LineStart(3), 0u) << "the LF of CR LF belongs to the first line";
    EXPECT_EQ(stm.LineStart(5), 4u);
    EXPECT_EQ(stm.NextLine(0), 4u);
    EXPECT_EQ(stm.NextLine(3), 4u);
    EXPECT_EQ(stm.NextLine(4), 8u) << "LF CR";
    EXPECT_EQ(stm.NextLine(8), 10u) << "the first LF of LF LF";
    EXPECT_EQ(stm.NextLine(10), 11u);
    EXPECT_EQ(stm.NextLine(11), 12u) << "the last line ends at the terminating zero";
    EXPECT_EQ(stm.NextLine(12), 12u);
    EXPECT_EQ(stm.LineStart(12), 11u);
}

TEST(IsBlankText, BlanksAreCodesOneTo32) {
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(" \t\r\n\x01\x1F"));
    EXPECT_FALSE(IsBlankText(" x "));
    EXPECT_FALSE(IsBlankText(std::string_view("\0", 1))) << "the zero character is not a blank";
    EXPECT_FALSE(IsBlankText("\xA0")) << "nor the no-break space of cp1251";
    EXPECT_TRUE(IsBlank(' ') && IsBlank('\x01'));
    EXPECT_FALSE(IsBlank('!')) << "32 is the last blank";
    EXPECT_FALSE(IsBlank('\x7F'));
}

// Lines L1 .. Ln, each followed by CR LF.
std::string Numbered(int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) {
        text += 'L';
        text += std::to_string(i);
        text += "\r\n";
    }
    return text;
}

TEST(GetExcerpt, FourNonBlankLinesOnEachSide) {
    std::string text = Numbered(1, 6) + "err here\r\n" + Numbered(7, 12);
    TQInStm stm = Stream(text);
    TQPos p = text.find("here");
    TQInStm::TExcerpt e = stm.GetExcerpt(p);
    EXPECT_EQ(e.Before, Numbered(3, 6) + "err ") << "L2 and L1 are beyond four lines";
    EXPECT_EQ(e.After, "here\r\n" + Numbered(7, 10));
}

TEST(GetExcerpt, BlankLinesCostHalf) {
    std::string blanks = "\r\n  \r\n\t\r\n\r\n \r\n\r\n\r\n\r\n"; // eight blank lines
    std::string text = "far\r\n" + blanks + "err\r\n" + blanks + "after\r\n";
    TQInStm stm = Stream(text);
    TQInStm::TExcerpt e = stm.GetExcerpt(text.find("err"));
    EXPECT_EQ(e.Before, blanks) << "all eight blank lines, not the line before them";
    EXPECT_EQ(e.After, "err\r\n" + blanks);
    // Seven blank lines and a non-blank one: 7 + 2 passes the limit only with that line.
    std::string seven = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    std::string text2 = "a\r\nb\r\n" + seven + "err";
    TQInStm stm2 = Stream(text2);
    EXPECT_EQ(stm2.GetExcerpt(text2.find("err")).Before, "b\r\n" + seven);
    std::string text3 = "err\r\n" + seven + "b\r\nc\r\n";
    TQInStm stm3 = Stream(text3);
    EXPECT_EQ(stm3.GetExcerpt(0).After, "err\r\n" + seven + "b\r\n");
}

TEST(GetExcerpt, StartAndEndOfTheText) {
    TQInStm stm = Stream("first line\r\nsecond");
    TQInStm::TExcerpt start = stm.GetExcerpt(0);
    EXPECT_EQ(start.Before, "") << "an error at line 1, column 1";
    EXPECT_EQ(start.After, "first line\r\nsecond");
    TQInStm::TExcerpt end = stm.GetExcerpt(stm.Text().size());
    EXPECT_EQ(end.Before, "first line\r\nsecond");
    EXPECT_EQ(end.After, "          \r\n") << "ten blanks and a break to show in colour";
    TQInStm::TExcerpt mid = stm.GetExcerpt(3);
    EXPECT_EQ(mid.Before, "fir");
    EXPECT_EQ(mid.After, "st line\r\nsecond");
    TQInStm empty = Stream("");
    EXPECT_EQ(empty.GetExcerpt(0).Before, "");
    EXPECT_EQ(empty.GetExcerpt(0).After, "          \r\n");
}

TEST(GetExcerpt, OnTheSecondCharacterOfAPair) {
    TQInStm stm = Stream("ab\r\ncd");
    TQInStm::TExcerpt e = stm.GetExcerpt(3);
    EXPECT_EQ(e.Before, "ab\r") << "up to the position";
    EXPECT_EQ(e.After, "\ncd");
}

TEST(GetExcerpt, MixedBreaksKeepTheirCharacters) {
    std::string text = "a\nb\rc\n\rd\r\n\r\ne";
    TQInStm stm = Stream(text);
    TQInStm::TExcerpt e = stm.GetExcerpt(text.find('d'));
    EXPECT_EQ(e.Before, "a\nb\rc\n\r");
    EXPECT_EQ(e.After, "d\r\n\r\ne");
    EXPECT_EQ(e.Before + e.After, text);
}

} // namespace
