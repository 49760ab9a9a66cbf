// Error reporting, the options that steer it, and the stream's state across texts.
#include "InStmTestUtil.h"

#include <stdexcept>

namespace {

TEST(InStmErrors, ErrorRemembersThePositionAndRaisesTheMessageAlone) {
    TQInStm stm;
    Open(stm, 3, "  a b");
    ExpectError(Reported(stm, [&] { stm.Error("Неправильная ссылка"); }), "Неправильная ссылка", 2,
                "no position means Cur");
    ExpectError(Reported(stm, [&] { stm.Error("Неправильная команда", 4); }),
                "Неправильная команда", 4, "an explicit position");
}

TEST(InStmErrors, OptionsDecideWhetherTheReaderGoesOn) {
    for (std::uint8_t options : {std::uint8_t{0}, std::uint8_t{ShowBox}}) {
        TQInStm stm;
        stm.Options = options;
        Open(stm, 3, "  123 x");
        const TReported r = Reported(stm, [&] {
            EXPECT_EQ(stm.ReadIdent(), "");
            EXPECT_EQ(stm.Cur(), 2u) << "options " << int(options);
            EXPECT_EQ(stm.ReadBrackets(), "");
            EXPECT_EQ(stm.ReadString(), "");
            stm.ExpectLiteral(";");
            EXPECT_EQ(stm.Cur(), 2u) << "options " << int(options);
            EXPECT_EQ(stm.ReadInt(), 123);
        });
        EXPECT_FALSE(r.Raised) << "options " << int(options);
        EXPECT_EQ(stm.ErrorPos(), 2u);
    }
    TQInStm stm;
    stm.Options = RaiseError;
    EXPECT_THROW(stm.Error("x"), EInStm) << "RaiseError alone raises";
}

TEST(InStmErrors, SetTextResetsPositionsAndKeepsTheSettings) {
    TQInStm stm;
    stm.Options = 0;
    stm.ErrorCaption = "Ошибка:";
    Open(stm, 0, "{c} abc");
    EXPECT_EQ(stm.Cur(), 4u) << "the mode's comments are skipped at once";
    EXPECT_TRUE(stm.IsLiteral("abc"));
    stm.Error("x");
    stm.SetText("  {c} abc");
    EXPECT_EQ(stm.Cur(), 6u);
    EXPECT_EQ(stm.ErrorPos(), NoPos);
    EXPECT_EQ(stm.MatchStart(), NoPos);
    EXPECT_EQ(stm.MatchEnd(), NoPos);
    EXPECT_EQ(stm.Mode, 0);
    EXPECT_EQ(stm.Options, 0);
    EXPECT_EQ(stm.ErrorCaption, "Ошибка:");
    stm.Mode = smScheme;
    stm.SetText("{c} abc");
    EXPECT_EQ(stm.Cur(), 0u) << "in mode 2 a brace is a bracket";
}

TEST(InStmErrors, SetPosMovesAnywhereInsideTheText) {
    TQInStm stm;
    Open(stm, 3, "ab cd");
    stm.SetPos(5);
    EXPECT_TRUE(stm.Eof()) << "the terminating zero is a valid position";
    stm.SetPos(3);
    EXPECT_EQ(stm.ReadIdent(), "cd");
    stm.SetPos(0);
    EXPECT_EQ(stm.ReadIdent(), "ab") << "backwards too";
    stm.SetPos(1);
    EXPECT_EQ(stm.ReadIdent(), "b") << "SetPos skips nothing and may land inside a word";
    stm.Reset();
    EXPECT_EQ(stm.Cur(), 0u);
}

TEST(InStmErrors, SetPosOutsideTheTextIsAnAssertionFailure) {
    TQInStm stm;
    Open(stm, 3, "ab");
    for (TQPos p : {TQPos{3}, TQPos{1000}, NoPos}) {
        try {
            stm.SetPos(p);
            ADD_FAILURE() << "SetPos(" << p << ") was accepted";
        } catch (const EInStm&) {
            ADD_FAILURE() << "SetPos(" << p << ") raised a syntax error";
        } catch (const std::exception& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("QStm"), std::string::npos) << text;
            EXPECT_NE(text.find("line"), std::string::npos) << text;
        }
        EXPECT_EQ(stm.Cur(), 0u) << "Cur unchanged";
    }
}

} // namespace
