// Keywords: compared in place, case-insensitive, blanks flexible, never ending inside a word.
#include "InStmTestUtil.h"

#include <stdexcept>

namespace {

TEST(InStmLiterals, AcceptMatchesAcrossCaseAndBlanksAndMovesPastTheMatch) {
    TQInStm stm;
    Open(stm, 3, ".CAPTION  (x");
    EXPECT_TRUE(stm.AcceptLiteral(".Caption("));
    EXPECT_EQ(stm.Cur(), 11u) << "directly after the open bracket";
    Open(stm, 3, "Cap tion\t\n:=");
    EXPECT_TRUE(stm.AcceptLiteral("Caption:="))
        << "blanks in the text may stand before any character of the literal";
    EXPECT_TRUE(stm.Eof());
    Open(stm, 3, "ОФИС.sync;");
    EXPECT_TRUE(stm.AcceptLiteral("офис.Sync")) << "Cyrillic case through the locale";
    EXPECT_TRUE(stm.AcceptLiteral(";"));
}

TEST(InStmLiterals, LiteralNeverEndsInsideAWord) {
    TQInStm stm;
    Open(stm, 3, ".NextStep;");
    EXPECT_FALSE(stm.AcceptLiteral(".Next"));
    EXPECT_EQ(stm.Cur(), 0u) << "Cur unchanged after a failed accept";
    Open(stm, 3, ".Sync2");
    EXPECT_FALSE(stm.IsLiteral(".Sync"));
    Open(stm, 3, "12345");
    EXPECT_FALSE(stm.IsLiteral("12")) << "digits are identifier characters too";
    Open(stm, 3, ".Sync.Next");
    EXPECT_TRUE(stm.IsLiteral(".Sync"));
    Open(stm, 3, ".Caption(x");
    EXPECT_TRUE(stm.IsLiteral(".Caption(")) << "the literal ends in a bracket, not a word";
    Open(stm, 3, ".Sync x");
    EXPECT_TRUE(stm.IsLiteral(".Sync")) << "a blank ends the word";
}

TEST(InStmLiterals, BlanksOfTheLiteralNeedBlanksInTheText) {
    TQInStm stm;
    Open(stm, 3, "ab");
    EXPECT_FALSE(stm.IsLiteral("a b"));
    Open(stm, 3, "a \t\r\n b");
    EXPECT_TRUE(stm.IsLiteral("a  b")) << "a run matches a run";
    EXPECT_EQ(stm.MatchEnd(), stm.Text().size());
}

TEST(InStmLiterals, InsideQuotesCharactersCompareOneForOne) {
    TQInStm stm;
    Open(stm, 3, "x 'A b' y");
    EXPECT_TRUE(stm.IsLiteral("X'a b'Y"));
    Open(stm, 3, "x 'a  b' y");
    EXPECT_FALSE(stm.IsLiteral("x'a b'y")) << "blanks inside quotes are not flexible";
    Open(stm, 3, "x 'ab' y");
    EXPECT_FALSE(stm.IsLiteral("x'a b'y"));
    Open(stm, 3, "\"it's a\" b");
    EXPECT_TRUE(stm.IsLiteral("\"it's a\"b")) << "the other quote does not end the quoted part";
    Open(stm, 3, "\"it's  a\"");
    EXPECT_FALSE(stm.IsLiteral("\"it's a\""));
}

TEST(InStmLiterals, MatchStretchAndTakeMatchKeepTheTextAsWritten) {
    TQInStm stm;
    Open(stm, 3, ".CAP tion (x");
    ASSERT_EQ(stm.CompareLiteral(".Caption("), 0);
    EXPECT_EQ(stm.Cur(), 0u) << "CompareLiteral does not move Cur";
    EXPECT_EQ(stm.MatchStart(), 0u);
    EXPECT_EQ(stm.MatchEnd(), 11u);
    EXPECT_EQ(stm.TakeMatch(), ".CAP tion (");
    EXPECT_EQ(stm.Cur(), 11u);
    EXPECT_NE(stm.CompareLiteral("y"), 0);
    EXPECT_EQ(stm.MatchStart(), NoPos) << "a failed comparison forgets the last match";
    EXPECT_EQ(stm.MatchEnd(), NoPos);
}

TEST(InStmLiterals, CommentsAreNotSkippedByTheComparison) {
    TQInStm stm;
    Open(stm, 3, "a /* c */ ;");
    stm.ReadIdent();
    EXPECT_FALSE(stm.IsLiteral(";")) << "the comment stands in front of the literal";
    stm.SkipBlanks();
    EXPECT_TRUE(stm.IsLiteral(";"));
}

TEST(InStmLiterals, TextEndingBeforeTheLiteralDoesNotMatch) {
    TQInStm stm;
    Open(stm, 3, std::string("Capt"));
    EXPECT_FALSE(stm.IsLiteral("Caption"));
    Open(stm, 3, std::string("Cap "));
    EXPECT_FALSE(stm.IsLiteral("Cap tion"));
    Open(stm, 3, "");
    EXPECT_FALSE(stm.IsLiteral(";"));
    ExpectError(Reported(stm, [&] { stm.ExpectLiteral(";"); }), "Ожидалось \";\"", 0,
                "ExpectLiteral at the end");
}

TEST(InStmLiterals, ExpectLiteralConsumesOrReportsAtCur) {
    TQInStm stm;
    Open(stm, 3, "( x );");
    stm.ExpectLiteral("(");
    EXPECT_EQ(stm.ReadIdent(), "x");
    stm.ExpectLiteral(");");
    EXPECT_TRUE(stm.Eof());
    Open(stm, 3, "a  ]");
    stm.ReadIdent();
    ExpectError(Reported(stm, [&] { stm.ExpectLiteral(");"); }), "Ожидалось \");\"", 1,
                "the position is Cur, before the blanks");
    stm.Options = 0;
    stm.ExpectLiteral(");");
    EXPECT_EQ(stm.Cur(), 1u) << "without an exception Cur stays";
}

TEST(InStmLiterals, TakeMatchWithoutAMatchHereIsAnAssertionFailure) {
    auto expectAssertion = [](TQInStm& stm, const char* what) {
        try {
            stm.TakeMatch();
            ADD_FAILURE() << what << ": no assertion failure";
        } catch (const EInStm&) {
            ADD_FAILURE() << what << ": a syntax error instead of an assertion failure";
        } catch (const std::exception& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("QStm"), std::string::npos) << what << ": " << text;
            EXPECT_NE(text.find("line"), std::string::npos) << what << ": " << text;
        }
    };
    TQInStm stm("abc def");
    expectAssertion(stm, "no comparison yet");
    EXPECT_NE(stm.CompareLiteral("x"), 0);
    expectAssertion(stm, "after a failed comparison");
    EXPECT_EQ(stm.CompareLiteral("abc"), 0);
    stm.SetPos(4);
    expectAssertion(stm, "after Cur moved away from the match");
    EXPECT_EQ(stm.CompareLiteral("def"), 0);
    stm.SetText("de");
    expectAssertion(stm, "a match in the previous text");
}

} // namespace
