// Identifiers and numbers.
#include "InStmTestUtil.h"

#include <climits>

namespace {

TEST(InStmTokens, ReadIdentTakesTheWordAndStopsDirectlyBehindIt) {
    TQInStm stm;
    Open(stm, 3, " /* c */ _a1B2 rest");
    EXPECT_TRUE(stm.IsIdent());
    EXPECT_EQ(stm.ReadIdent(), "_a1B2");
    EXPECT_EQ(stm.Cur(), 14u) << "the blank after the word is not skipped";
    EXPECT_EQ(stm.ReadIdent(), "rest");
}

TEST(InStmTokens, IdentMustStartWithALatinLetterOrUnderscore) {
    const char* const notIdents[] = {"1abc", "Офис", "'x'", "-a", "(a)"};
    for (const char* text : notIdents) {
        TQInStm stm;
        Open(stm, 3, std::string("  ") + text);
        EXPECT_FALSE(stm.IsIdent()) << text;
        ExpectError(Reported(stm, [&] { stm.ReadIdent(); }), "Ожидался идентификатор", 2, text);
    }
    TQInStm stm;
    Open(stm, 3, "Za");
    EXPECT_EQ(stm.ReadIdent(), "Za");
    Open(stm, 3, "z[");
    EXPECT_EQ(stm.ReadIdent(), "z") << "'[' follows 'Z' in the code table and is no letter";
    Open(stm, 3, "@");
    EXPECT_FALSE(stm.IsIdent()) << "'@' comes before 'A'";
}

TEST(InStmTokens, ReadIntValuesAndWrapAround) {
    struct TCase {
        const char* Text;
        std::int32_t Value;
        std::size_t After;
    };
    const TCase cases[] = {
        {"42", 42, 2},
        {"-17;", -17, 3},
        {"007", 7, 3},
        {"12ab", 12, 2},
        {"/* c */ 5", 5, 9},
        {"2147483647", INT_MAX, 10},
        {"2147483648", INT_MIN, 10},
        {"-2147483648", INT_MIN, 11},
        {"4294967297", 1, 10},
        {"-0", 0, 2},
    };
    for (const TCase& c : cases) {
        TQInStm stm;
        Open(stm, 3, c.Text);
        EXPECT_EQ(stm.ReadInt(), c.Value) << c.Text;
        EXPECT_EQ(stm.Cur(), c.After) << c.Text;
    }
}

TEST(InStmTokens, ReadIntReportsWhereTheDigitWasNeeded) {
    struct TCase {
        const char* Text;
        std::size_t Pos;
    };
    const TCase cases[] = {{"- 5", 1}, {"+5", 0}, {"  x", 2}, {"-", 1}, {"", 0}, {"--1", 1}};
    for (const TCase& c : cases) {
        TQInStm stm;
        Open(stm, 3, c.Text);
        ExpectError(Reported(stm, [&] { stm.ReadInt(); }), "Ожидалось число", c.Pos, c.Text);
        stm.Options = 0;
        stm.SetPos(0);
        EXPECT_EQ(stm.ReadInt(), 0) << "without an exception: " << c.Text;
        EXPECT_EQ(stm.ErrorPos(), c.Pos) << c.Text;
    }
}

} // namespace
