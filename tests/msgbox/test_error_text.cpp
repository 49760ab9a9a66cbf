// What the syntax error box says, piece by piece.
#include "msgbox/QStmErrorText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SyntaxErrorText, HeaderMessageAndTheExcerptHighlightedFromTheError) {
    TQInStm stm("first line\r\nsecond\r\n  \t bad stuff\r\nfourth\r\n");
    TQDyedMessage message;
    message.Font.Name = "Tahoma";
    // Reported at the start of the third line: shown at the first non-blank character.
    AddSyntaxError(message, stm, "Ожидалось \";\"", 20);

    struct TExpected {
        const char* Text;
        bool LineEnd;
        bool Wrap;
        std::int32_t Color;
        std::int32_t BkColor;
    };
    const TExpected expected[] = {
        {"Строка 3 поз. 5:", true, true, clWindowText, clBtnFace},
        {"  Ожидалось \";\"", true, true, clWindowText, clBtnFace},
        {"", true, true, clWindowText, clBtnFace},
        {"first line", true, false, clWindowText, clBtnFace},
        {"second", true, false, clWindowText, clBtnFace},
        {"  \t ", false, false, clWindowText, clBtnFace},
        {"bad stuff", true, false, clWhite, clRed},
        {"fourth", true, false, clWhite, clRed},
    };
    ASSERT_EQ(message.Pieces.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TQDyedText& piece = message.Pieces[i];
        EXPECT_EQ(piece.Text, expected[i].Text) << i;
        EXPECT_EQ(piece.LineEnd, expected[i].LineEnd) << i;
        EXPECT_EQ(piece.Wrap, expected[i].Wrap) << i;
        EXPECT_EQ(piece.Color, expected[i].Color) << i;
        EXPECT_EQ(piece.BkColor, expected[i].BkColor) << i;
        EXPECT_EQ(piece.FontName, "Tahoma") << i;
    }
}

TEST(SyntaxErrorText, AnErrorAtTheEndShowsBlanksInRed) {
    TQInStm stm("a;\r\nb  ");
    TQDyedMessage message;
    AddSyntaxError(message, stm, "Неожиданный конец текста", 5);
    ASSERT_GE(message.Pieces.size(), 2u);
    EXPECT_EQ(message.Pieces.front().Text, "Строка 2 поз. 4:");
    const TQDyedText& last = message.Pieces.back();
    EXPECT_EQ(last.Text, std::string(10, ' '));
    EXPECT_TRUE(last.LineEnd);
    EXPECT_EQ(last.BkColor, clRed);
    EXPECT_EQ(message.Pieces[message.Pieces.size() - 2].Text, "b  ");
}

} // namespace
