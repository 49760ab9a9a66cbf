// What the syntax error box says, piece by piece.
#include "msgbox/QStmErrorText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

TEST(SyntaxErrorText, HeaderMessageAndTheExcerptHighlightedFromTheError) {
    TQInStm stm("first line\r\nsecond\r\n  \t bad\tstuff\r\nx\tfourth\r\n");
    TQDyedMessage message;
    // Reported at the start of the third line: shown at its first non-blank character.
    AddSyntaxError(message, stm, "Ожидалось \";\"", 20);

    const auto normal = std::tuple{clWindowText, clBtnFace};
    const auto red = std::tuple{clWhite, clRed};
    // Text, line break after it, wrapping, colours.
    const std::tuple<const char*, bool, bool, std::tuple<std::int32_t, std::int32_t>> expected[] = {
        {"Строка 3 поз. 5:", true, true, normal},
        {"  Ожидалось \";\"", true, true, normal},
        {"", true, true, normal},
        {"first line", true, false, normal},
        {"second", true, false, normal},
        // Tabs to every 8th column of the line; the position above counts one for a tab.
        {"         ", false, false, normal},
        {"bad    stuff", true, false, red},
        {"x       fourth", true, false, red},
    };
    ASSERT_EQ(message.Pieces.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TQDyedText& piece = message.Pieces[i];
        const auto& [text, lineEnd, wrap, colours] = expected[i];
        EXPECT_EQ(std::tie(piece.Text, piece.LineEnd, piece.Wrap),
                  std::tuple(std::string(text), lineEnd, wrap))
            << i;
        EXPECT_EQ(std::tie(piece.Color, piece.BkColor), colours) << i;
    }
}

TEST(SyntaxErrorText, ReportedBeforeBlanksAndALineBreakShownOnTheNextLine) {
    TQInStm stm("a  \r\nb");
    TQDyedMessage message;
    AddSyntaxError(message, stm, "x", 1);
    ASSERT_FALSE(message.Pieces.empty());
    EXPECT_EQ(message.Pieces[0].Text, "Строка 2 поз. 1:");
}

} // namespace
