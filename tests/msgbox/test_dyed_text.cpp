// Dyed text as pieces, and its layout measured with known character widths (8 pixels each
// unless a test says otherwise).
#include "msgbox/QDyedBreak.h"
#include "msgbox/QDyedText.h"
#include "tests/support/QCharWidthMeasurer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using TTexts = std::vector<std::string>;

// The pieces' texts, each followed by "|" when a line break follows it.
TTexts Texts(const TQDyedTextArray& pieces) {
    TTexts texts;
    for (const TQDyedText& p : pieces)
        texts.push_back(p.Text + (p.LineEnd ? "|" : ""));
    return texts;
}

// Each line as its runs' texts joined by "/".
TTexts Runs(const TQDyedLayout& layout) {
    TTexts lines;
    for (const TQDyedLine& line : layout.Lines) {
        std::string runs;
        for (const TQDyedItem& item : line.Items)
            runs += (runs.empty() ? "" : "/") + item.Text.Text;
        lines.push_back(runs);
    }
    return lines;
}

// Each run as "top:text@left-right", line by line.
TTexts Placed(const TQDyedLayout& layout) {
    TTexts runs;
    for (const TQDyedLine& line : layout.Lines)
        for (const TQDyedItem& item : line.Items)
            runs.push_back(std::to_string(line.Top) + ":" + item.Text.Text + "@" +
                           std::to_string(item.Left) + "-" + std::to_string(item.Right));
    return runs;
}

TQDyedText Piece(std::string text, bool wrap = true, std::int32_t height = 0, bool lineEnd = false,
                 std::int32_t color = clWindowText, std::int32_t bkColor = clBtnFace) {
    TQDyedText piece;
    piece.Text = std::move(text);
    piece.Wrap = wrap;
    piece.FontHeight = height;
    piece.LineEnd = lineEnd;
    piece.Color = color;
    piece.BkColor = bkColor;
    return piece;
}

TEST(AddText, LineBreaksAndAttributesEndPieces) {
    const std::pair<const char*, TTexts> cases[] = {
        {"a\r\nb", {"a|", "b"}},
        {"a\n\rb", {"a|", "b"}},
        {"a\r\rb", {"a|", "|", "b"}},
        {"a\n\nb", {"a|", "|", "b"}},
        {"a\r\n", {"a|"}}, // a final break leaves no empty piece behind
        {"", {""}},
    };
    for (const auto& [text, pieces] : cases) {
        TQDyedMessage message;
        message.AddText(text);
        EXPECT_EQ(Texts(message.Pieces), pieces) << text;
    }

    TQDyedMessage message;
    message.AddText("x");
    message.AddText("y");
    message.Font.Color = clRed;
    message.AddText("z\r\n");
    message.Font.Italic = message.Font.Underline = true;
    message.AddText("w");
    message.Font.Name = "Arial";
    message.Font.Bold = true;
    message.Font.Underline = false;
    message.AddText("");
    message.Font.BkColor = clRed;
    message.AddText("v");
    EXPECT_EQ(Texts(message.Pieces), (TTexts{"xy", "z|", "w", "", "v"}))
        << "a changed attribute starts a piece on the same line; after a break a new one";
    EXPECT_EQ(message.Pieces[1].Color, clRed);
    EXPECT_EQ(message.Pieces[3].FontName, "Arial");
    auto style = [&](std::size_t i) {
        const TQDyedText& p = message.Pieces[i];
        return std::tuple(p.Bold, p.Italic, p.Underline);
    };
    EXPECT_EQ(style(2), std::tuple(false, true, true));
    EXPECT_EQ(style(3), std::tuple(true, true, false)) << "an empty piece in the current style";
}

class DyedLayoutTest : public ::testing::Test {
protected:
    TQCharWidthMeasurer M{8};
};

TEST_F(DyedLayoutTest, FitCharsAndFindBreakAtTheirEdges) {
    M.Widths['i'] = 2;
    M.Widths['W'] = 14;
    EXPECT_EQ(FitChars(M, Piece("iiiiWWWW"), 30), 5u) << "estimate too short";
    EXPECT_EQ(FitChars(M, Piece("WWWWiiii"), 30), 2u) << "estimate too long";
    EXPECT_EQ(FitChars(M, Piece("WWWWiiii"), 64), 8u) << "exactly the whole width";
    EXPECT_EQ(FitChars(M, Piece(""), 50), 0u);

    const std::tuple<const char*, std::int32_t, std::size_t> breaks[] = {
        {"abcdefg hijkl", 10, 8},  // the blank at 8 keeps more than three quarters of 10
        {"ab cdefghijkl", 10, 10}, // breaking at 3 would give up more: break inside the word
        {"abc   defghi", 5, 4},    // the head ends with the first blank of the run
        {" abcdefgh", 4, 4},       // a blank only at the start is no place to break
        {"abcdefghij", 5, 5},      // a word wider than the line
        {"abcdefghij", 0, 0},      // not one character fits
        {"abc def", 7, 7},         // all of it fits
    };
    for (const auto& [text, chars, expected] : breaks)
        EXPECT_EQ(FindBreak(M, Piece(text), chars * 8), expected) << text << " in " << chars;
}

TEST_F(DyedLayoutTest, FixedPiecesStayWholeAndWrappingOnesBreak) {
    const TQDyedLayout fixed = Layout(M, {Piece("aaa bbb ccc", false)}, 40);
    EXPECT_EQ(Runs(fixed), TTexts{"aaa bbb ccc"});
    EXPECT_EQ(fixed.WidestFixed, 88);
    EXPECT_EQ(fixed.WidestWrapped, 0);

    const TQDyedLayout wrapped = Layout(M, {Piece("aaa bbb ccc")}, 40);
    EXPECT_EQ(Runs(wrapped), (TTexts{"aaa ", "bbb ", "ccc"}));
    EXPECT_EQ(wrapped.WidestWrapped, 88) << "the logical line, unbroken";
    EXPECT_EQ(wrapped.Height(), 48);

    const TQDyedLayout wide = Layout(M, {Piece("aaa bbb ccc")}, 300);
    EXPECT_TRUE(wide.Holds(88));
    EXPECT_FALSE(wide.Holds(87));
    EXPECT_EQ(Runs(Relayout(M, {Piece("aaa bbb ccc")}, wide, 40)), Runs(wrapped));

    // Not one character of the white-on-red piece fits after "aaaa": it goes on on the next
    // line rather than past the edge of this one, in its colours on every line it reaches.
    const TQDyedLayout noRoom =
        Layout(M, {Piece("aaaa"), Piece("bbbbbb", true, 0, false, clWhite, clRed)}, 36);
    EXPECT_EQ(Runs(noRoom), (TTexts{"aaaa", "bbbb", "bb"}));
    EXPECT_EQ(noRoom.Lines[1].Items.at(0).Text.Color, clWhite);
    EXPECT_EQ(noRoom.Lines[2].Items.at(0).Text.BkColor, clRed);

    // A character wider than the width stands alone on its line, and only it passes the edge.
    M.Widths['W'] = 13;
    EXPECT_EQ(Runs(Layout(M, {Piece("WiW")}, 10)), (TTexts{"W", "i", "W"}));
}

TEST_F(DyedLayoutTest, LinesOfRunsOfMixedHeightsAndWraps) {
    const TQDyedLayout layout = Layout(
        M,
        {Piece("aa", true, -10), Piece("bb", true, -20, false, clRed), Piece("cc", true, -10, true),
         Piece("d", true, -10), Piece("eeeeee", false, -10), Piece("ffff", false, -10)},
        1000);
    EXPECT_EQ(Runs(layout), (TTexts{"aa/bb/cc", "d", "eeeeee/ffff"}))
        << "a change of Wrap starts a line";
    EXPECT_EQ(layout.WidestWrapped, 48);
    EXPECT_EQ(layout.WidestFixed, 80);
    EXPECT_EQ(layout.Lines[0].Items[2].Left, 32);
    EXPECT_EQ(layout.Lines[0].Items[2].Right, 48);
    EXPECT_EQ(layout.Lines[0].Height, 20) << "as high as its highest run";
    EXPECT_EQ(layout.Lines[1].Top, 20) << "all runs start at the line's top";
    EXPECT_EQ(layout.Height(), 40);

    const TQDyedLayout none = Layout(M, {}, 100);
    ASSERT_EQ(none.Lines.size(), 1u);
    EXPECT_EQ(none.Height(), 0);
}

TEST_F(DyedLayoutTest, RelayoutEqualsAFreshLayout) {
    TQDyedText bold = Piece("bbb bbb bbb");
    bold.Bold = true;
    const TQDyedTextArray mixed = {bold, Piece("aa")};
    const TQDyedLayout wide = Layout(M, mixed, 300);
    const TTexts fresh = Placed(Layout(M, mixed, 50));
    EXPECT_EQ(Placed(Relayout(M, mixed, wide, 50)), fresh)
        << "broken in the weight of the piece measured last";

    for (const TQDyedTextArray& other :
         {TQDyedTextArray{Piece("cc")}, TQDyedTextArray{Piece("cc"), Piece("a")}})
        EXPECT_EQ(Placed(Relayout(M, other, wide, 300)), Placed(Layout(M, other, 300)))
            << "the widths of the pieces laid out before were taken";
}

// FindBreak as the rules state it, one character at a time.
std::size_t ModelBreak(TQCharWidthMeasurer& m, const std::string& t, std::int32_t avail) {
    auto width = [&](std::size_t n) { return m.MeasureText(std::string_view(t).substr(0, n)).cx; };
    auto blank = [&](std::size_t i) { return static_cast<unsigned char>(t[i - 1]) <= 32; };
    if (t.empty() || avail <= 0)
        return 0;
    std::size_t n = 0;
    while (n < t.size() && width(n + 1) <= avail)
        ++n;
    if (n == t.size() || n <= 1)
        return n;
    std::size_t b = n;
    while (b > 1 && !blank(b))
        --b;
    if (b == 1)
        return n;
    while (b > 1 && blank(b - 1))
        --b;
    return b == 1 || b < n * 3 / 4 ? n : b;
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
            << '"' << text << "\" in " << avail << " from any guess";
    }
}

} // namespace
