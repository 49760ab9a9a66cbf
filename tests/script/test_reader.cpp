// The reader's grammar: declarations, steps, commands and station references, and the
// message and position of every syntax error it reports.
#include "ScriptTestUtil.h"

#include <random>

namespace {

using scripttest::ErrorOf;
using scripttest::ExpectError;
using scripttest::ReadText;

const std::string TwoStations = "'Alpha':DemoStation();'Beta':DemoStation();\n";

std::vector<TQTestCmd> CommandsOf(const std::string& steps) {
    TQDemoScript script = ReadText(TwoStations + steps);
    EXPECT_EQ(script.Steps.size(), 1u) << "expected all commands in one step";
    return script.Steps.empty() ? std::vector<TQTestCmd>{} : script.Steps[0].Cmds;
}

void ExpectCmd(const TQTestCmd& cmd, std::int32_t side, std::int32_t msg, std::int32_t arg) {
    EXPECT_EQ(cmd.Side, side) << "msg " << cmd.Msg;
    EXPECT_EQ(cmd.Msg, msg);
    EXPECT_EQ(cmd.Arg, arg) << "msg " << cmd.Msg;
}

TEST(Reader, CommandTable) {
    auto cmds = CommandsOf("Alpha.SendTo(Beta); Beta.Next; Alpha.Refresh; Beta.Sync;\n"
                           "Alpha.ForceOk; Beta.CompareByCRC; Beta . send to ( 1 ) ;");
    ASSERT_EQ(cmds.size(), 7u);
    ExpectCmd(cmds[0], 0, QM_SEND, 1);
    ExpectCmd(cmds[1], 1, QM_NEXT, -1);
    ExpectCmd(cmds[2], 0, QM_REFRESH, -1);
    ExpectCmd(cmds[3], 1, QM_SYNC, -1);
    ExpectCmd(cmds[4], 0, QM_FORCEOK, -1);
    ExpectCmd(cmds[5], 1, QM_COMPAREBYCRC, -1);
    ExpectCmd(cmds[6], 1, QM_SEND, 0);
}

TEST(Reader, StationReferences) {
    auto cmds = CommandsOf(".Next; 2.Sync; Alpha.SYNC; /* c */ Beta\n  .sync;"
                           " 1 .SendTo( 1 );");
    ASSERT_EQ(cmds.size(), 5u);
    ExpectCmd(cmds[0], 0, QM_NEXT, -1);
    ExpectCmd(cmds[1], 1, QM_SYNC, -1);
    ExpectCmd(cmds[2], 0, QM_SYNC, -1);
    ExpectCmd(cmds[3], 1, QM_SYNC, -1);
    ExpectCmd(cmds[4], 0, QM_SEND, 0); // nothing before the dot is station 1

    TQDemoScript office = ReadText("'Alpha':DemoStation();'Офис':DemoStation();2.Sync;");
    EXPECT_EQ(office.Sides.at(1).Name, "Офис");
    EXPECT_EQ(office.Steps.at(0).Cmds.at(0).Side, 1);
}

TEST(Reader, FindSideIsExactButLocaleAware) {
    TQDemoScript script = ReadText("'Alpha':DemoStation();'Ёлка':DemoStation();");
    EXPECT_EQ(FindSideIn(script.Sides, "Alpha"), 0);
    EXPECT_EQ(FindSideIn(script.Sides, "alpha"), -1) << "case counts";
    EXPECT_EQ(FindSideIn(script.Sides, "Ёлка"), 1);
    EXPECT_EQ(FindSideIn(script.Sides, "ёлка"), -1);
    EXPECT_EQ(FindSideIn(script.Sides, "Alph"), -1);
    EXPECT_EQ(FindSideIn(script.Sides, ""), -1);
}

TEST(Reader, StepBoundaries) {
    TQDemoScript script = ReadText(TwoStations + ".Comment('a' 'b' #33);\n"
                                                 ".Comment('second');\n"
                                                 "'node' x\n"
                                                 "Alpha.Sync;\n"
                                                 "'next step' y\n"
                                                 "Beta.Sync;\n"
                                                 ".Caption('only a caption');\n"
                                                 ".Caption('c');.Comment();\n"
                                                 "Alpha.Next;\n"
                                                 ".Comment('d');Beta.Next;");
    ASSERT_EQ(script.Steps.size(), 6u);
    EXPECT_EQ(script.Steps[0].Comment, "ab!");
    EXPECT_TRUE(script.Steps[0].Cmds.empty()) << "a second comment begins a new step";
    EXPECT_EQ(script.Steps[1].Comment, "second");
    ASSERT_EQ(script.Steps[1].Cmds.size(), 1u);
    EXPECT_EQ(script.Steps[2].Comment, "") << "a node line after commands begins a step";
    ASSERT_EQ(script.Steps[2].Cmds.size(), 1u);
    EXPECT_EQ(script.Steps[2].Cmds[0].Side, 1);
    EXPECT_EQ(script.Steps[3].Comment, "") << "a caption is not kept";
    EXPECT_TRUE(script.Steps[3].Cmds.empty());
    EXPECT_EQ(script.Steps[4].Comment, "");
    EXPECT_EQ(script.Steps[4].Cmds.size(), 1u);
    EXPECT_EQ(script.Steps[5].Comment, "d");
    EXPECT_EQ(script.Steps[5].Cmds.size(), 1u);
}

TEST(Reader, DeclarationsEndAtTheFirstStringWithoutTheKeyword) {
    TQDemoScript script = ReadText("'A' : demostation ( x ) ;\n"
                                   "'B'/* not yet */ x|y\n"
                                   "'C':DemoStation();\n");
    ASSERT_EQ(script.Sides.size(), 1u) << "a declaration after a step is a node line";
    EXPECT_EQ(script.Sides[0].Setup, " x ");
    ASSERT_EQ(script.Steps.size(), 1u);
    EXPECT_EQ(script.Sides[0].Scheme.Lines().at(4), "'B'/* not yet */ x");
    EXPECT_EQ(script.Sides[0].Scheme.Lines().at(5), "'C':DemoStation();");

    TQDemoScript none = ReadText("'first' a\n");
    EXPECT_TRUE(none.Sides.empty());
    EXPECT_EQ(none.Steps.size(), 1u);
}

TEST(Reader, SyntaxErrorsAndTheirPositions) {
    ExpectError(TwoStations + "alpha.Sync;", "Неправильная ссылка", ".Sync");
    ExpectError(TwoStations + "0.Sync;", "Неправильная ссылка", ".Sync");
    ExpectError(TwoStations + "3.Sync;", "Неправильная ссылка", ".Sync");
    ExpectError(TwoStations + "-1.Sync;", "Неправильная ссылка", ".Sync");
    ExpectError(TwoStations + "-2147483648.Sync;", "Неправильная ссылка", ".Sync");
    ExpectError(TwoStations + "Alpha.SendTo(Gamma);", "Неправильная ссылка", ");");
    ExpectError("'Офис':DemoStation();Офис.Sync;", "Ожидалось число", "Офис.Sync");
    ExpectError(".Next;", "Неправильная ссылка", ".Next;"); // no station at all
    ExpectError(TwoStations + "Alpha.Synchronize;", "Неправильная команда", ".Synchronize");
    ExpectError(TwoStations + "Alpha Sync;", "Неправильная команда", "Sync;");
    // Keywords are compared where the reference ends; a comment there is not passed over.
    ExpectError(TwoStations + "Beta /* d */ .Sync;", "Неправильная команда", "/* d */");
    ExpectError(TwoStations + "Alpha.Sync\nBeta.Sync;", "Ожидалось \";\"", "Beta");
    ExpectError(TwoStations + "Alpha.SendTo Beta;", "Ожидалось \"(\"", "Beta;");
    ExpectError(TwoStations + "Alpha.SendTo(Beta;", "Ожидалось \")\"", ";");
    ExpectError(TwoStations + ".Caption('x';", "Ожидалось \");\"", ";");
    ExpectError(TwoStations + ".Caption(x);", "Ожидалась строковая константа", "x);");
    ExpectError(TwoStations + ".Comment('x' y);", "Ожидалось \");\"", "y);");
    ExpectError(TwoStations + ".Comment('x\n');", "Незаконченная строковая константа", "'x");
    ExpectError(TwoStations + "'k' { a\n 'c' b\n", "Ожидалось \"}\"", "");
    ExpectError(TwoStations + "'k' { a\n 'c'#0 b\n}", "Недопустимый символ #0 в ключе", "'c'#0");
    ExpectError("'A':DemoStation;", "Ожидались скобки", ";");
    ExpectError("'A':DemoStation(x;\n", "Незакрытая скобка", "(x");
    ExpectError("'A':DemoStation(x)\n'B':DemoStation();", "Ожидалось \";\"", "'B'");
    ExpectError(TwoStations + "/* open", "Не найден конец комментария", "/*");
}

TEST(Reader, ReadingRecoversNothingAfterAnError) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.SetText(TwoStations + ".Comment('fine');Alpha.Sync;\nBeta.Bogus;");
    try {
        ReadDemoText(stm, "");
        FAIL() << "an unknown command was accepted";
    } catch (const EInStm& e) {
        EXPECT_EQ(e.Stm, &stm) << "the error names its stream";
        EXPECT_EQ(stm.LineOf(stm.ErrorPos()), 2);
        EXPECT_EQ(stm.ColumnOf(stm.ErrorPos()), 4);
    }
}

// A caption or comment word without its bracket stops the commands, yet no step can take
// it: it must be reported where it stands, and the reader must never stall on it.
TEST(Reader, CaptionOrCommentWithoutBracket) {
    ExpectError(TwoStations + ".Caption;", "Ожидалось \".Caption(\"", ".Caption;");
    ExpectError(TwoStations + "Alpha.Sync;\n.Comment 'x';", "Ожидалось \".Comment(\"",
                ".Comment 'x'");
    ExpectError(TwoStations + ".Caption('a');.Comment;", "Ожидалось \".Comment(\"", ".Comment;");
    ExpectError(TwoStations + "'n' x\n.caption", "Ожидалось \".Caption(\"", ".caption");
    EXPECT_FALSE(ErrorOf(TwoStations + ".CAPTION ('a');.Comment\n('b');").has_value());

    // Without exceptions every error returns to the reader; it must still come to an end.
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = 0;
    stm.SetText(TwoStations + "Alpha.Sync;\n.Caption;\nBeta.Sync;");
    TQDemoScript script = ReadDemoText(stm, "");
    EXPECT_NE(stm.ErrorPos(), NoPos) << "the error was still reported";
    EXPECT_EQ(script.Steps.size(), 2u) << "the step before the error, and the one stopped";
}

// Scripts made of random pieces of the grammar: each must end in a syntax error or a
// complete reading, never in a reader that loops without consuming anything.
TEST(Reader, RandomScriptsAlwaysFinish) {
    const char* const pieces[] = {
        "'A':DemoStation(x);",
        ".Caption",
        ".Comment",
        "(",
        ")",
        ";",
        ");",
        "'s'",
        "\"t\"",
        "Alpha",
        "1",
        ".",
        ".Sync",
        ".SendTo",
        "{",
        "}",
        "\n",
        " ",
        "/* c */",
        "// c\n",
        "#65",
        "-",
        ".Next",
        ".Caption(",
        ".Comment(",
        "|",
        "'Alpha':DemoStation();",
    };
    std::mt19937 random(12345);
    int completed = 0;
    int failed = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % std::size(pieces)];
        for (std::uint8_t options : {std::uint8_t{RaiseError}, std::uint8_t{0}}) {
            TQInStm stm;
            stm.Mode = smScript;
            stm.Options = options;
            stm.SetText(text);
            try {
                TQDemoScript script = ReadDemoText(stm, "");
                ASSERT_LE(script.Steps.size(), text.size()) << "steps from nothing: " << text;
                ++completed;
            } catch (const EInStm&) {
                ++failed;
            }
        }
    }
    EXPECT_GT(completed, 100) << "the generator should also make valid scripts";
    EXPECT_GT(failed, 100);
}

} // namespace
