// Scheme files: the head of every station, one section per step, and the per-station lines
// of the node trees, byte for byte.
#include "ScriptTestUtil.h"
#include "errors/err.h"
#include "os/Cp1251.h"
#include "os/Platform.h"
#include "tests/support/TempFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using scripttest::ReadText;
using scripttest::SchemeOf;

const char* const Head = "Demo data:\r\n.Interactive:=true;\r\n\r\n";

const std::string WorkedExample = "\"Alpha\":DemoStation(Folder1);\r\n"
                                  "\"Beta\":DemoStation(Folder2);\r\n"
                                  ".Caption(\"First\");\r\n"
                                  ".Comment(\"Watch both stations.\");\r\n"
                                  "\"Dir\" {.A | .B\r\n"
                                  "  \"f.txt\" .X |\r\n"
                                  "}\r\n"
                                  "Alpha.Sync;\r\n"
                                  ".Caption(\"End\");\r\n";

const std::string WorkedAlpha = "Folder1\r\n"
                                "Demo data:\r\n"
                                ".Interactive:=true;\r\n"
                                "\r\n"
                                ".Caption('First');\r\n"
                                "'Dir'{.A \r\n"
                                "  'f.txt' .X \r\n"
                                "}\r\n"
                                ".Pause;\r\n"
                                "\r\n"
                                ".Caption('End');\r\n"
                                ".Pause;\r\n"
                                "\r\n";

const std::string WorkedBeta = "Folder2\r\n"
                               "Demo data:\r\n"
                               ".Interactive:=true;\r\n"
                               "\r\n"
                               ".Caption('First');\r\n"
                               "'Dir'{ .B\r\n"
                               "}\r\n"
                               ".Pause;\r\n"
                               "\r\n"
                               ".Caption('End');\r\n"
                               ".Pause;\r\n"
                               "\r\n";

TEST(SchemeFiles, WorkedExampleInMemory) {
    TQDemoScript script = ReadText(WorkedExample);
    ASSERT_EQ(script.Sides.size(), 2u);
    EXPECT_EQ(SchemeOf(script, 0), WorkedAlpha);
    EXPECT_EQ(SchemeOf(script, 1), WorkedBeta);
    EXPECT_EQ(script.Sides[0].SchemeFile, "T:\\Alpha.kelvo");
    ASSERT_EQ(script.Steps.size(), 2u);
    EXPECT_EQ(script.Steps[0].Comment, "Watch both stations.");
    EXPECT_TRUE(script.Steps[1].Comment.empty()) << "a caption is not a comment";
}

TEST(SchemeFiles, WorkedExampleOnDiskThroughTheProgramWideTables) {
    support::TTempFolder folder;
    const std::string schemeDir = folder.Name();
    const std::string scriptName = folder.Write("demo.KelvoDemo", WorkedExample);
    Sides.clear();
    Steps.clear();
    ReadDemoScript(scriptName, schemeDir);
    ASSERT_EQ(Sides.size(), 2u);
    EXPECT_EQ(Sides[1].SchemeFile, schemeDir + "Beta.kelvo");
    EXPECT_EQ(support::ReadBytes(folder.Path() / "Alpha.kelvo"), WorkedAlpha);
    EXPECT_EQ(support::ReadBytes(folder.Path() / "Beta.kelvo"), WorkedBeta);
    ASSERT_EQ(Steps.size(), 2u);
    ASSERT_EQ(Steps[0].Cmds.size(), 1u);
    EXPECT_EQ(Steps[0].Cmds[0].Msg, QM_SYNC);
    EXPECT_EQ(CurStep, 1) << "the index of the last step read";
    Sides.clear();
    Steps.clear();
}

TEST(SchemeFiles, ScriptLineBreaksDoNotMatter) {
    std::string lf = WorkedExample;
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;)
        lf.erase(p, 1);
    TQDemoScript script = ReadText(lf);
    EXPECT_EQ(SchemeOf(script, 0), WorkedAlpha);
    EXPECT_EQ(SchemeOf(script, 1), WorkedBeta);
}

TEST(SchemeFiles, ColumnsDecideWhatEachStationGets) {
    TQDemoScript script = ReadText("'A':DemoStation();'B':DemoStation();'C':DemoStation();\n"
                                   "'many' a|b|c|d|e\n"
                                   "'few' a|b\n"
                                   "'blank' { x|  \t|z\n"
                                   "  'child' 1|2|3\n"
                                   "}\n"
                                   "'dead' { |y|\n"
                                   "  'only0' q\n"
                                   "}\n"
                                   "'braces' { bare\n"
                                   "}\n"
                                   "'' {\n"
                                   "  'grouped' g|h|i\n"
                                   "}\n"
                                   "'note' x // not a comment \"|' ( {\n");
    ASSERT_EQ(script.Sides.size(), 3u);
    EXPECT_EQ(SchemeOf(script, 0), std::string(Head) + "'many' a\r\n"
                                                       "'few' a\r\n"
                                                       "'blank'{ x\r\n"
                                                       "  'child' 1\r\n"
                                                       "}\r\n"
                                                       "'braces' bare\r\n"
                                                       "'grouped' g\r\n"
                                                       "'note' x // not a comment \"\r\n"
                                                       ".Pause;\r\n\r\n");
    EXPECT_EQ(SchemeOf(script, 1), std::string(Head) + "'many'b\r\n"
                                                       "'few'b\r\n"
                                                       "'dead'{y\r\n"
                                                       "}\r\n"
                                                       "'grouped'h\r\n"
                                                       "'note'' ( {\r\n"
                                                       ".Pause;\r\n\r\n")
        << "a blank column drops the subtree; a block whose children give nothing keeps "
           "its braces";
    EXPECT_EQ(SchemeOf(script, 2), std::string(Head) + "'many'c\r\n"
                                                       "'blank'{z\r\n"
                                                       "  'child'3\r\n"
                                                       "}\r\n"
                                                       "'grouped'i\r\n"
                                                       ".Pause;\r\n\r\n")
        << "too few columns leave the node out";
}

TEST(SchemeFiles, NestedIndentAndBraceOnItsOwnLine) {
    TQDemoScript script = ReadText("'A':DemoStation[];\n"
                                   "'a'\n"
                                   "   { 1\n"
                                   "  'b' { 2\n"
                                   "    /* skipped */ 'c' 3 /* kept */\n"
                                   "    // skipped\n"
                                   "  }\n"
                                   "  'd' 4\n"
                                   "}\n");
    EXPECT_EQ(SchemeOf(script, 0), std::string(Head) + "'a'{ 1\r\n"
                                                       "  'b'{ 2\r\n"
                                                       "    'c' 3 /* kept */\r\n"
                                                       "  }\r\n"
                                                       "  'd' 4\r\n"
                                                       "}\r\n"
                                                       ".Pause;\r\n\r\n");
}

TEST(SchemeFiles, CaptionIsQuotedKeyIsNot) {
    TQDemoScript script = ReadText("'A':DemoStation();\n"
                                   ".Caption('it'#39's'#13#10'C:\\x');\n"
                                   "'k'#39'\"ey' v\n"
                                   ".Caption('');\n");
    EXPECT_EQ(SchemeOf(script, 0), std::string(Head) + ".Caption('it''s\\nC:\\\\x');\r\n"
                                                       "'k'\"ey' v\r\n"
                                                       ".Pause;\r\n\r\n"
                                                       ".Pause;\r\n\r\n")
        << "an empty caption writes no caption line";
}

TEST(SchemeFiles, SetupLineBreaks) {
    struct TCase {
        const char* Setup;
        const char* Start;
    } cases[] = {
        {"", "Demo data:"},
        {"\r\nX", "X\r\nDemo data:"},
        {"\n\nX", "\r\nX\r\nDemo data:"},
        {"a\nb\rc\n\rd\r\n", "a\r\nb\r\nc\r\nd\r\n\r\nDemo data:"},
        {"  x (y) 'z)' /* ) */", "  x (y) 'z)' /* ) */\r\nDemo data:"},
    };
    for (const TCase& c : cases) {
        TQDemoScript script = ReadText(std::string("'A':DemoStation(") + c.Setup + ");");
        EXPECT_EQ(SchemeOf(script, 0), std::string(c.Start) + "\r\n.Interactive:=true;\r\n\r\n")
            << "setup \"" << c.Setup << "\"";
    }
}

TEST(SchemeFiles, EveryStationHasASectionForEveryStep) {
    TQDemoScript script = ReadText("'A':DemoStation(a);'B':DemoStation(b);\n"
                                   ".Comment('one');'n' x\nA.Sync;\n"
                                   ".Comment('two');A.Next;\n"
                                   ".Comment('three');\n");
    ASSERT_EQ(script.Steps.size(), 3u);
    EXPECT_EQ(SchemeOf(script, 1),
              std::string("b\r\n") + Head + ".Pause;\r\n\r\n.Pause;\r\n\r\n.Pause;\r\n\r\n");
}

TEST(SchemeFiles, NoStepsAndNoStations) {
    TQDemoScript script = ReadText("'A':DemoStation({x});\n/* the end */ // really\n  \n");
    EXPECT_TRUE(script.Steps.empty()) << "trailing comments and blanks make no step";
    EXPECT_EQ(SchemeOf(script, 0), std::string("{x}\r\n") + Head);

    TQDemoScript empty = ReadText(" /* nothing */ \r\n// at all\r\n");
    EXPECT_TRUE(empty.Sides.empty());
    EXPECT_TRUE(empty.Steps.empty());
}

TEST(SchemeFiles, WriteFailureLeavesNoSchemeFileBehindAndNoStationInTheTable) {
    support::TTempFolder folder;
    const std::string scriptName =
        folder.Write("three.KelvoDemo", "'A':DemoStation();'B':DemoStation();'C':DemoStation();");
    // A folder where B's file should go makes B's file impossible to create.
    std::filesystem::create_directory(folder.Path() / "B.kelvo");
    Sides.clear();
    try {
        ReadDemoScript(scriptName, folder.Name());
        FAIL() << "writing over a folder succeeded";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Ошибка записи в файл <" + folder.Name() + "B.kelvo>");
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "A.kelvo")) << "an earlier file stayed";
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "C.kelvo"));
    // Shutting down goes by the table: C's name may be another demonstration's station.
    EXPECT_TRUE(Sides.empty()) << "the table holds stations whose files were never written";
}

TEST(SchemeFiles, NothingIsWrittenWhenTheScriptFails) {
    support::TTempFolder folder;
    const std::string schemeDir = folder.Name();
    const std::string scriptName =
        folder.Write("bad.KelvoDemo",
                     "'A':DemoStation();'B':DemoStation();\n.Comment('x');\nA.Sync;\nC.Sync;\n");
    // No error box is installed in the tests, so nothing waits for a user.
    EXPECT_THROW(ReadDemoScript(scriptName, schemeDir), EInStm);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "A.kelvo"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "B.kelvo"));
}

TEST(SchemeFiles, MissingScriptIsAReadError) {
    try {
        ReadDemoScript("no-such-dir/none.KelvoDemo", "T:\\");
        FAIL() << "a missing script was read";
    } catch (const EInStm&) {
        FAIL() << "a read error is not a syntax error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Ошибка чтения файла <no-such-dir/none.KelvoDemo>\r\nфайл не найден");
    }
}

// What an editor saves: code page 1251, UTF-8, UTF-8 with its byte-order mark.
std::vector<std::string> EveryEncoding(const std::string& cp1251Text) {
    const std::string utf8 = cp1251::ToUtf8(cp1251Text);
    return {cp1251Text, utf8, "\xEF\xBB\xBF" + utf8};
}

TEST(SchemeFiles, AScriptReadsTheSameFromEveryEncoding) {
    const std::string script = "'Филиал':DemoStation(.Title('Отдел продаж'));\r\n"
                               ".Caption('Начало');.Comment('Цена: 5 €, «ёлка»');\r\n"
                               "'Папка' {'Офис'\r\n  'Отчет.txt' 'новый'\r\n}\r\n"
                               "1.Sync;\r\n"
                               ".Comment('Конец');\r\n";
    std::vector<std::string> schemes;
    for (const std::string& bytes : EveryEncoding(script)) {
        const support::TTempFolder folder;
        ReadDemoScript(folder.Write("s.KelvoDemo", bytes), folder.Name());
        ASSERT_EQ(Steps.size(), 2u);
        EXPECT_EQ(Steps[0].Comment, "Цена: 5 €, «ёлка»");
        EXPECT_EQ(Steps[1].Comment, "Конец");
        std::string scheme;
        EXPECT_TRUE(os::ReadWholeFile(folder / "Филиал.kelvo", scheme));
        schemes.push_back(scheme);
        Sides.clear();
        Steps.clear();
    }
    EXPECT_NE(schemes[0].find("'Отчет.txt' 'новый'"), std::string::npos) << schemes[0];
    EXPECT_EQ(schemes[1], schemes[0]) << "UTF-8";
    EXPECT_EQ(schemes[2], schemes[0]) << "UTF-8 with its mark";
}

struct TShownError {
    int Line = 0;
    int Column = 0;
    std::string Msg;
};
TShownError Shown;

void RecordShown(TQInStm& stm, const std::string& msg, TQPos pos) {
    Shown = {stm.LineOf(pos) + 1, stm.ColumnOf(pos) + 1, msg};
}

TEST(SchemeFiles, ACharacterThatCodePage1251LacksIsShownAtItsPlace) {
    const std::string utf8 = cp1251::ToUtf8("'Офис':DemoStation();\r\n"
                                            ".Comment('Готово ") +
                             "\xE2\x9C\x93" + "');\r\n1.Sync;\r\n";
    const support::TTempFolder folder;
    const TQShowErrorHook previous = SetShowErrorHook(&RecordShown);
    EXPECT_THROW(ReadDemoScript(folder.Write("s.KelvoDemo", utf8), folder.Name()), EInStm);
    SetShowErrorHook(previous);
    EXPECT_EQ(Shown.Line, 2);
    EXPECT_EQ(Shown.Column, 18);
    EXPECT_EQ(Shown.Msg, "Символ U+2713 не представим в кодировке Windows-1251");
}

} // namespace
