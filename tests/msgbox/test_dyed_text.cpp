// Dyed text as pieces, and its layout measured with known character widths.
#include "msgbox/QCharWidthMeasurer.h"
#include "msgbox/QDyedBreak.h"
#include "msgbox/QDyedText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The pieces' texts, each followed by "|" when a line break follows it.
std::vector<std::string> Texts(const TQDyedTextArray& pieces) {
    std::vector<std::string> texts;
    for (const TQDyedText& p : pieces)
        texts.push_back(p.Text + (p.LineEnd ? "|" : ""));
    return texts;
}

// Each line as its runs' texts joined by "/".
std::vector<std::string> Runs(const TQDyedLayout& layout) {
    std::vector<std::string> lines;
    for (const TQDyedLine& line : layout.Lines) {
        std::string runs;
        for (const TQDyedItem& item : line.Items)
            runs += (runs.empty() ? "" : "/") + item.Text.Text;
        lines.push_back(runs);
    }
    return lines;
}

TQDyedText Piece(std::string text, bool wrap = true) {
    TQDyedText piece;
    piece.Text = std::move(text);
    piece.Wrap = wrap;
    return piece;
}

TEST(AddText, LineBreaksEndPieces) {
    const struct {
        const char* Text;
        std::vector<std::string> Pieces;
    } cases[] = {
        {"a\r\nb", {"a|", "b"}},
        {"a\n\rb", {"a|", "b"}},
        {"a\r\rb", {"a|", "|", "b"}},
        {"a\n\nb", {"a|", "|", "b"}},
        {"a\r\n\r\nb", {"a|", "|", "b"}},
        {"a\r\n", {"a|"}}, // a final break leaves no empty piece behind
        {"", {""}},
    };
    for (const auto& c : cases) {
        TQDyedMessage message;
        message.AddText(c.Text);
        EXPECT_EQ(Texts(message.Pieces), c.Pieces) << c.Text;
    }
}

TEST(AddText, PiecesFollowTheAttributes) {
    TQDyedMessage message;
    message.AddText("x");
    message.AddText("y");
    EXPECT_EQ(Texts(message.Pieces), (std::vector<std::string>{"xy"})) << "same attributes";

    message.Font.Color = clRed;
    message.AddText("z\r\n");
    message.AddText("w");
    EXPECT_EQ(Texts(message.Pieces), (std::vector<std::string>{"xy", "z|", "w"}))
        << "a changed attribute starts a piece on the same line; after a break a new one";
    EXPECT_EQ(message.Pieces[1].Color, clRed);

    message.Font.Name = "Arial";
    message.AddText("");
    ASSERT_EQ(message.Pieces.size(), 4u) << "an empty text keeps the new attributes";
    EXPECT_EQ(message.Pieces[3].FontName, "Arial");
    EXPECT_EQ(message.Pieces[3].Text, "");
}

class DyedLayoutTest : public ::testing::Test {
protected:
    TQCharWidthMeasurer M{8}; // every character 8 pixels unless a test says otherwise
};

TEST_F(DyedLayoutTest, FitCharsWalksFromItsEstimateBothWays) {
    M.Widths['i'] = 2;
    M.Widths['W'] = 14;
    EXPECT_EQ(FitChars(M, Piece("iiiiWWWW"), 30), 5u) << "estimate too short";
    EXPECT_EQ(FitChars(M, Piece("WWWWiiii"), 30), 2u) << "estimate too long";
    EXPECT_EQ(FitChars(M, Piece("WWWWiiii"), 64), 8u) << "exactly the whole width";
    EXPECT_EQ(FitChars(M, Piece("abc"), 7), 0u) << "not one character";
    EXPECT_EQ(FitChars(M, Piece("abc"), 0), 0u);
    EXPECT_EQ(FitChars(M, Piece(""), 50), 0u);
}

TEST_F(DyedLayoutTest, FindBreakKeepsThreeQuartersOfTheLine) {
    const struct {
        const char* Text;
        std::int32_t Chars; // room in characters
        std::size_t Break;
    } cases[] = {
        {"abcdefg hijkl", 10, 8},  // the blank at 8 keeps more than three quarters of 10
        {"ab cdefghijkl", 10, 10}, // breaking at 3 would give up more: break inside the word
        {"abc   defghi", 5, 4},    // the head ends with the first blank of the run
        {" abcdefgh", 4, 4},       // a blank only at the start is no place to break
        {"abcdefghij", 5, 5},      // a word wider than the line
        {"abcdefghij", 0, 0},      // not one character fits
        {"abc def", 7, 7},         // all of it fits
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindBreak(M, Piece(c.Text), c.Chars * 8), c.Break)
            << c.Text << " in " << c.Chars << " characters";
}

TEST_F(DyedLayoutTest, FixedPiecesStayWholeAndWrappingOnesBreakAtBlanks) {
    const TQDyedLayout fixed = Layout(M, {Piece("aaa bbb ccc", false)}, 40);
    EXPECT_EQ(Runs(fixed), (std::vector<std::string>{"aaa bbb ccc"}));
    EXPECT_EQ(fixed.WidestFixed, 88);
    EXPECT_EQ(fixed.WidestWrapped, 0);

    const TQDyedLayout wrapped = Layout(M, {Piece("aaa bbb ccc")}, 40);
    EXPECT_EQ(Runs(wrapped), (std::vector<std::string>{"aaa ", "bbb ", "ccc"}));
    EXPECT_EQ(wrapped.WidestWrapped, 88) << "the logical line, unbroken";
    EXPECT_FALSE(wrapped.Holds(88)) << "unbroken at 88";
    const TQDyedLayout wide = Layout(M, {Piece("aaa bbb ccc")}, 300);
    EXPECT_TRUE(wide.Holds(88));
    EXPECT_FALSE(wide.Holds(87));
    EXPECT_EQ(Runs(Relayout(M, {Piece("aaa bbb ccc")}, wide, 40)), Runs(wrapped))
        << "laid out again from known widths";
    EXPECT_EQ(wrapped.Lines[2].Top, 32);
    EXPECT_EQ(wrapped.Height(), 48);
}

TEST_F(DyedLayoutTest, WidestLinesCountRunsOfOneLogicalLine) {
    TQDyedText red = Piece("bb");
    red.Color = clRed;
    TQDyedText endsLine = Piece("cc");
    endsLine.LineEnd = true;
    const TQDyedLayout layout = Layout(
        M, {Piece("aaaa"), red, endsLine, Piece("d"), Piece("eeeeee", false), Piece("ffff", false)},
        1000);
    EXPECT_EQ(Runs(layout), (std::vector<std::string>{"aaaa/bb/cc", "d", "eeeeee/ffff"}))
        << "a change of Wrap starts a line";
    EXPECT_EQ(layout.WidestWrapped, 64);
    EXPECT_EQ(layout.WidestFixed, 80);
    EXPECT_EQ(layout.Lines[0].Items[2].Left, 48);
    EXPECT_EQ(layout.Lines[0].Items[2].Right, 64);
}

TEST_F(DyedLayoutTest, RunsOfMixedHeightsShareTheLineTop) {
    TQDyedText small = Piece("ab");
    small.FontHeight = -10;
    TQDyedText tall = Piece("cd");
    tall.FontHeight = -20;
    tall.LineEnd = true;
    TQDyedText next = Piece("e");
    next.FontHeight = -10;
    const TQDyedLayout layout = Layout(M, {small, tall, next}, 1000);
    ASSERT_EQ(layout.Lines.size(), 2u);
    EXPECT_EQ(layout.Lines[0].Height, 20);
    EXPECT_EQ(layout.Lines[1].Top, 20);
    EXPECT_EQ(layout.Lines[1].Bottom, 30);
}

TEST_F(DyedLayoutTest, APieceWithNoRoomLeftStaysAndContinuesEmpty) {
    TQDyedText second = Piece("bbbbbb");
    second.Color = clRed;
    const TQDyedLayout layout = Layout(M, {Piece("aaaa"), second}, 36);
    EXPECT_EQ(Runs(layout), (std::vector<std::string>{"aaaa/bbbbbb", ""}));
    ASSERT_EQ(layout.Lines[1].Items.size(), 1u);
    EXPECT_EQ(layout.Lines[1].Items[0].Text.Color, clRed);
    EXPECT_EQ(layout.Lines[1].Height, 16) << "the empty run keeps its font's height";
}

TEST_F(DyedLayoutTest, EmptyMessagesAndEmptyLines) {
    const TQDyedLayout none = Layout(M, {}, 100);
    ASSERT_EQ(none.Lines.size(), 1u);
    EXPECT_EQ(none.Height(), 0);

    TQDyedMessage message;
    message.AddText("a\r\n\r\nb");
    const TQDyedLayout layout = Layout(M, message.Pieces, 100);
    EXPECT_EQ(Runs(layout), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(layout.Height(), 48) << "an empty line is as high as its font";
}

// FindBreak as the rules state it, one character at a time.
std::size_t ModelFit(TQCharWidthMeasurer& m, const std::string& t, std::int32_t avail) {
    auto width = [&](std::size_t n) { return m.MeasureText(std::string_view(t).substr(0, n)).cx; };
    if (t.empty() || avail <= 0)
        return 0;
    if (width(t.size()) <= avail)
        return t.size();
    std::size_t n = 0;
    while (n < t.size() && width(n + 1) <= avail)
        ++n;
    return n;
}

std::size_t ModelBreak(TQCharWidthMeasurer& m, const std::string& t, std::int32_t avail) {
    auto blank = [&](std::size_t i) { return static_cast<unsigned char>(t[i - 1]) <= 32; };
    const std::size_t n = ModelFit(m, t, avail);
    if (n == t.size() || n <= 1)
        return n;
    std::size_t b = n;
    while (b > 1 && !blank(b))
        --b;
    if (b == 1)
        return n;
    while (b > 1 && blank(b - 1))
        --b;
    if (b == 1 || b < n * 3 / 4)
        return n;
    return b;
}

TEST_F(DyedLayoutTest, BreaksDoNotDependOnTheGuessOrTheWidths) {
    M.Widths['i'] = 3;
    M.Widths['W'] = 13;
    M.Widths[' '] = 4;
    M.Widths['\t'] = 0;
    std::mt19937 random(7);
    const std::string alphabet = "aaaiW  \t";
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        const auto avail = static_cast<std::int32_t>(random() % 200);
        const std::size_t expected = ModelBreak(M, text, avail);
        ASSERT_EQ(FindBreak(M, Piece(text), avail), expected) << '"' << text << "\" in " << avail;
        if (avail == 0)
            continue;
        TQPrefixWidths widths(M, text);
        ASSERT_EQ(LineBreak(widths, TQHeadEnds(text), 0, avail, random() % 50), expected)
            << '"' << text << "\" in " << avail;
    }
}

} // namespace
