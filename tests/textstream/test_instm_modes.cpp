// Blanks, comments by syntax mode, the end of the text and single tokens.
#include "InStmTestUtil.h"

namespace {

TEST(InStmModes, FreshStreamHoldsItsDefaultsAndSkipsLeadingBlanks) {
    TQInStm stm("  \r\n\t/* head */ // line\n  word");
    EXPECT_EQ(stm.Mode, 2);
    EXPECT_EQ(stm.Options, ShowBox | RaiseError);
    EXPECT_EQ(stm.ErrorCaption, "Ошибка синтаксиса:");
    EXPECT_TRUE(stm.SkipComments);
    EXPECT_EQ(stm.ErrorPos(), NoPos);
    EXPECT_EQ(stm.MatchStart(), NoPos);
    EXPECT_EQ(stm.MatchEnd(), NoPos);
    EXPECT_EQ(stm.Cur(), stm.Text().find("word")) << "blanks and comments before the first token";
}

TEST(InStmModes, EmptyTextIsAtTheEndAndHoldsNoToken) {
    TQInStm stm("");
    EXPECT_TRUE(stm.Eof());
    EXPECT_TRUE(stm.AtEnd());
    EXPECT_FALSE(stm.IsString());
    EXPECT_FALSE(stm.IsIdent());
    EXPECT_FALSE(stm.IsBracket());
    EXPECT_FALSE(stm.IsComment());
    ExpectError(Reported(stm, [&] { stm.ReadString(); }), "Ожидалась строковая константа", 0,
                "ReadString on an empty text");
}

TEST(InStmModes, CommentFormsDependOnTheMode) {
    struct TCase {
        int Mode;
        const char* Text;
        bool Comment;
    };
    const TCase cases[] = {
        {0, "{x}", true},    {0, "(*x*)", true}, {0, "//x", true},   {0, "/*x*/", false},
        {0, "(x)", false},   {1, "/*x*/", true}, {1, "//x", true},   {1, "{x}", false},
        {1, "(*x*)", false}, {2, "/*x*/", true}, {3, "/*x*/", true}, {3, "//x", true},
        {3, "{x}", false},   {3, "/ /x", false}, {3, "/", false},
    };
    for (const TCase& c : cases) {
        TQInStm stm;
        stm.SkipComments = false;
        Open(stm, c.Mode, c.Text);
        EXPECT_EQ(stm.AtComment(), c.Comment) << "mode " << c.Mode << ", text " << c.Text;
    }
}

TEST(InStmModes, CommentContentAndWhereReadingGoesOn) {
    struct TCase {
        int Mode;
        const char* Text;
        const char* Content;
        std::size_t After;
    };
    const TCase cases[] = {
        {0, "{ab}c", "ab", 4},
        {0, "(*a}b*)c", "a}b", 7},
        {0, "{a(*b}c", "a(*b", 6},
        {3, "/*a*b/*/z", "a*b/", 8},
        {3, "/* a /* b */ c */", " a /* b ", 12}, // comments do not nest
        {3, "//line\r\nx", "line", 6},            // the line break stays unread
        {1, "//line\nx", "line", 6},
        {0, "// to the end", " to the end", 13},
    };
    for (const TCase& c : cases) {
        TQInStm stm;
        stm.SkipComments = false;
        Open(stm, c.Mode, c.Text);
        EXPECT_EQ(stm.ReadCommentHere(), c.Content) << "mode " << c.Mode << ", text " << c.Text;
        EXPECT_EQ(stm.Cur(), c.After) << "mode " << c.Mode << ", text " << c.Text;
    }
}

TEST(InStmModes, UnterminatedCommentIsReportedAtItsStart) {
    struct TCase {
        int Mode;
        const char* Text;
        std::size_t Start;
    };
    const TCase cases[] = {
        {3, "  /* abc", 2}, {3, "x /* a *", 2}, {0, " {abc", 1},
        {0, "(*abc*", 0},   {0, "(*)", 0},      {1, "/*/", 0},
    };
    for (const TCase& c : cases) {
        TQInStm stm;
        stm.Mode = static_cast<std::uint8_t>(c.Mode);
        // Met by SkipBlanks, while the text is being set or before a token.
        const TReported r = Reported(stm, [&] {
            stm.SetText(c.Text);
            stm.AtEnd();
            stm.SkipToken();
        });
        ExpectError(r, "Не найден конец комментария", c.Start, c.Text);
    }
}

TEST(InStmModes, ReadCommentSkipsBlanksOnlyAndInsistsOnAComment) {
    TQInStm stm;
    stm.SkipComments = false;
    Open(stm, 3, "  \n // first\n /* second */ x");
    EXPECT_TRUE(stm.IsComment());
    EXPECT_EQ(stm.ReadComment(), " first");
    EXPECT_EQ(stm.ReadComment(), " second ");
    EXPECT_FALSE(stm.IsComment());
    const TQPos x = stm.Text().find('x');
    ExpectError(Reported(stm, [&] { stm.ReadComment(); }), "Ожидался комментарий", x,
                "ReadComment before a word");
    stm.SetPos(0);
    ExpectError(Reported(stm, [&] { stm.ReadCommentHere(); }), "Ожидался комментарий", 0,
                "ReadCommentHere skips nothing, not even blanks");
}

TEST(InStmModes, SkipCommentsOffLeavesCommentsInPlace) {
    TQInStm stm;
    stm.SkipComments = false;
    Open(stm, 3, " /* c */ a");
    EXPECT_EQ(stm.Cur(), 1u);
    EXPECT_FALSE(stm.IsIdent());
    EXPECT_FALSE(stm.AtEnd());
    stm.SkipComments = true;
    EXPECT_TRUE(stm.IsIdent());
    EXPECT_EQ(stm.ReadIdent(), "a");
    stm.SkipComments = false;
    Open(stm, 0, "(* c *)");
    EXPECT_FALSE(stm.IsBracket()) << "in mode 0 \"(*\" opens a comment, skipped or not";
    EXPECT_TRUE(stm.IsComment());
}

TEST(InStmModes, BlanksAndCommentsAlternateUntilAToken) {
    TQInStm stm;
    Open(stm, 1, "/*a*/ //b\n\t/*c*/{d}");
    EXPECT_EQ(stm.Cur(), stm.Text().find('{')) << "in mode 1 a brace opens a bracket";
    Open(stm, 0, "{a} (*b*) //c\r\n [d]");
    EXPECT_EQ(stm.Cur(), stm.Text().find('[')) << "mode 0 comments";
    Open(stm, 3, "/*a*/ /*b*/ ");
    EXPECT_TRUE(stm.Eof()) << "only comments";
}

TEST(InStmModes, OpeningBracketsDependOnTheMode) {
    struct TCase {
        int Mode;
        const char* Text;
        bool Bracket;
    };
    const TCase cases[] = {
        {0, "[x]", true},    {0, "(x)", true},     {0, "{x}", false}, {0, "(*c*)", false},
        {0, "(*c*)[", true}, {0, "(", true},       {1, "(x)", true},  {1, "[x]", true},
        {1, "{x}", true},    {3, "/*c*/ {", true}, {3, ")", false},   {2, "<", false},
    };
    for (const TCase& c : cases) {
        TQInStm stm;
        Open(stm, c.Mode, c.Text);
        EXPECT_EQ(stm.IsBracket(), c.Bracket) << "mode " << c.Mode << ", text " << c.Text;
    }
}

TEST(InStmModes, ZeroCharacterEndsTheTextForEveryReader) {
    const std::string text("ab\0cd 'x", 8);
    TQInStm stm;
    Open(stm, 3, text);
    EXPECT_EQ(stm.ReadIdent(), "ab");
    EXPECT_TRUE(stm.Eof());
    EXPECT_TRUE(stm.AtEnd());
    EXPECT_FALSE(stm.IsIdent());
    stm.SkipToken();
    EXPECT_EQ(stm.Cur(), 2u) << "SkipToken stays at the zero";
    EXPECT_FALSE(stm.IsLiteral("cd"));

    Open(stm, 3, std::string("'a\0b'", 5));
    ExpectError(Reported(stm, [&] { stm.ReadString(); }), "Незаконченная строковая константа", 0,
                "a zero inside quotes");
    Open(stm, 3, std::string("(a\0)", 4));
    ExpectError(Reported(stm, [&] { stm.ReadBrackets(); }), "Незакрытая скобка", 0,
                "a zero inside brackets");
    const TReported r = Reported(stm, [&] { Open(stm, 3, std::string("/* \0 */", 7)); });
    ExpectError(r, "Не найден конец комментария", 0, "a zero inside a comment");
}

TEST(InStmModes, SkipTokenPassesOneWordOrOneCharacter) {
    TQInStm stm;
    Open(stm, 3, "abc12_x  +-Ёж");
    stm.SkipToken();
    EXPECT_EQ(stm.Cur(), 9u) << "a word and the blanks after it";
    stm.SkipToken();
    EXPECT_EQ(stm.Cur(), 10u) << "one sign";
    stm.SkipToken();
    stm.SkipToken();
    EXPECT_EQ(stm.Cur(), 12u) << "Cyrillic letters are single characters, not a word";
    stm.SkipToken();
    stm.SkipToken();
    EXPECT_TRUE(stm.Eof());
    Open(stm, 3, "12ab /*c*/ x");
    stm.SkipToken();
    EXPECT_EQ(stm.Cur(), 11u) << "digits and letters are one token; comments after it are skipped";
}

} // namespace
