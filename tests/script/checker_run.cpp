// The script checker run in process: summary, JSON, scheme files, errors and warnings.
#include "CheckRun.h"

#include "os/Cp1251.h"
#include "tests/support/TempFiles.h"
#include "util/JsonText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include "tests/support/ScreenSaver.h"
#endif

namespace {

namespace fs = std::filesystem;

struct TRun {
    int Status;
    TCheckOutput Output;
};

TRun Check(std::vector<std::string> args) {
    TRun run{};
    run.Status = RunCheck(args, run.Output);
    return run;
}

// The tool speaks UTF-8; the literals here are in the system's code page.
std::string U(const std::string& text) {
    return cp1251::ToUtf8(text);
}

const std::string Demo = "\"Alpha\":DemoStation(Folder1);\r\n"
                         "'Beta':DemoStation(Folder2);\r\n"
                         "'Офис':DemoStation(\"q\"\"\");\r\n"
                         ".Caption(\"First\");\r\n"
                         ".Comment(\"Watch \" '\"both\"' #13#10 \"stations.\");\r\n"
                         "\"Dir\" {.A | .B\r\n"
                         "  \"f.txt\" .X |\r\n"
                         "}\r\n"
                         "Alpha.Sync; Alpha.SendTo(3); 3.Next; .ForceOk; 2.Refresh;\r\n"
                         "Alpha.Next; Beta.Next;\r\n"
                         "Beta.CompareByCRC;\r\n"
                         ".Caption(\"End\");\r\n";

TEST(Checker, SummaryInScriptWords) {
    support::TTempFolder folder("_check-summary");
    const std::string script = folder.Write("demo.KelvoDemo", Demo);
    TRun run = Check({script});
    EXPECT_EQ(run.Status, 0) << run.Output.Err;
    EXPECT_EQ(run.Output.Err,
              script + ": warning: station 3 \"\xD0\x9E\xD1\x84\xD0\xB8\xD1\x81\" has a "
                       "name outside ASCII: KelvoDemo refuses it on a Windows whose code "
                       "page is not 1251\n")
        << "only the Cyrillic name is warned of";
    const std::string& out = run.Output.Out;
    for (const char* piece :
         {"Encoding: cp1251\nStations: 3\n", "  1. Alpha -> Alpha.kelvo\n", "       | Folder1\n",
          "  3. \xD0\x9E\xD1\x84\xD0\xB8\xD1\x81 -> ", "Steps: 2\n",
          "  1. Watch \"both\"\n     stations.\n", "       Alpha.Sync\n",
          "       Alpha.SendTo(3)\n", "       3.Next\n", "       Alpha.ForceOk\n",
          "       Beta.Refresh\n", "       Beta.CompareByCRC\n", "  2. (no comment)\n"}) {
        EXPECT_NE(out.find(piece), std::string::npos) << "missing \"" << piece << "\" in\n" << out;
    }
    EXPECT_FALSE(fs::exists(folder.Path() / "Alpha.kelvo")) << "written without --out";
}

TEST(Checker, Json) {
    support::TTempFolder folder("_check-json");
    const std::string script = folder.Write("demo.KelvoDemo", Demo);
    TRun run = Check({"--json", script});
    EXPECT_EQ(run.Status, 0) << run.Output.Err;
    EXPECT_EQ(run.Output.Out,
              "{\"encoding\":\"cp1251\",\n\"stations\":[\n"
              "  {\"name\":\"Alpha\",\"setup\":\"Folder1\",\"schemeFile\":\"Alpha.kelvo\"},\n"
              "  {\"name\":\"Beta\",\"setup\":\"Folder2\",\"schemeFile\":\"Beta.kelvo\"},\n"
              "  {\"name\":\"\xD0\x9E\xD1\x84\xD0\xB8\xD1\x81\",\"setup\":\"\\\"q\\\"\\\"\\\"\","
              "\"schemeFile\":\"\xD0\x9E\xD1\x84\xD0\xB8\xD1\x81.kelvo\"}],\n"
              "\"steps\":[\n"
              "  {\"comment\":\"Watch \\\"both\\\"\\r\\nstations.\",\"commands\":["
              "{\"side\":0,\"msg\":1027,\"arg\":-1},{\"side\":0,\"msg\":1029,\"arg\":2},"
              "{\"side\":2,\"msg\":1028,\"arg\":-1},{\"side\":0,\"msg\":1031,\"arg\":-1},"
              "{\"side\":1,\"msg\":1026,\"arg\":-1},{\"side\":0,\"msg\":1028,\"arg\":-1},"
              "{\"side\":1,\"msg\":1028,\"arg\":-1},{\"side\":1,\"msg\":1032,\"arg\":-1}]},\n"
              "  {\"comment\":\"\",\"commands\":[]}]}\n");
}

TEST(Checker, OutWritesTheSchemeFiles) {
    support::TTempFolder folder("_check-out");
    const std::string script = folder.Write("demo.KelvoDemo", Demo);
    fs::create_directories(folder.Path() / "out");
    const std::string dir = (folder.Path() / "out").string();
    for (const std::string& given : {dir, dir + static_cast<char>(fs::path::preferred_separator)}) {
        fs::remove_all(folder.Path() / "out");
        fs::create_directories(folder.Path() / "out");
        TRun run = Check({"--out", given, "--json", script});
        EXPECT_EQ(run.Status, 0) << run.Output.Err;
        EXPECT_EQ(support::ReadBytes(folder.Path() / "out" / "Beta.kelvo"),
                  "Folder2\r\nDemo data:\r\n.Interactive:=true;\r\n\r\n"
                  ".Caption('First');\r\n'Dir'{ .B\r\n}\r\n.Pause;\r\n\r\n"
                  ".Caption('End');\r\n.Pause;\r\n\r\n")
            << "--out " << given;
        std::size_t files = 0;
        for (const auto& entry : fs::directory_iterator(folder.Path() / "out"))
            files += entry.is_regular_file();
        EXPECT_EQ(files, 3u);
        const std::string beta = (folder.Path() / "out" / "Beta.kelvo").string();
        EXPECT_NE(run.Output.Out.find(JsonString(beta)), std::string::npos) << run.Output.Out;
    }
    TRun missing = Check({"--out", (folder.Path() / "none").string(), script});
    EXPECT_EQ(missing.Status, 1) << "a folder that does not exist";
    EXPECT_NE(missing.Output.Err.find(U("Ошибка записи в файл <")), std::string::npos)
        << missing.Output.Err;
}

TEST(Checker, SyntaxErrorWithLineColumnAndExcerpt) {
    support::TTempFolder folder("_check-error");
    const std::string script = folder.Write("bad.KelvoDemo", "'A':DemoStation();\n"
                                                             ".Comment('x');\n"
                                                             "\tA.Sync;\n"
                                                             "\tA.Bogus;\n"
                                                             "A.Next;\n");
    TRun run = Check({script});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Output.Out, "");
    EXPECT_EQ(run.Output.Err, script + U(":4:3: Неправильная команда\n") +
                                  "     1 | 'A':DemoStation();\n"
                                  "     2 | .Comment('x');\n"
                                  "     3 |         A.Sync;\n"
                                  "     4 |         A.Bogus;\n"
                                  "       |          ^\n"
                                  "     5 | A.Next;\n");

    // Reported after a line break and blanks: at the next non-blank character.
    const std::string late = folder.Write("late.KelvoDemo", "'A':DemoStation()\n\n   A.Sync;");
    TRun next = Check({late});
    EXPECT_EQ(next.Status, 1);
    EXPECT_EQ(next.Output.Err.find(late + U(":3:4: Ожидалось \";\"\n")), 0u) << next.Output.Err;
    // At the very end of the text.
    const std::string end = folder.Write("end.KelvoDemo", "'A':DemoStation(\r\n'x'  ");
    TRun open = Check({end});
    EXPECT_EQ(open.Status, 1);
    EXPECT_NE(open.Output.Err.find(end + U(":1:16: Незакрытая скобка\n")), std::string::npos)
        << open.Output.Err;
}

TEST(Checker, UnreadableScriptAndWrongCommandLines) {
    TRun run = Check({"no-such-folder/none.KelvoDemo"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Output.Err, U("no-such-folder/none.KelvoDemo: Ошибка чтения файла "
                                "<no-such-folder/none.KelvoDemo>\n  файл не найден\n"));
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--bogus", "x"},
                                               {"a", "b"},
                                               {"--out"},
                                               {"x", "--out="},
                                               {"x", "--conductor"},
                                               {"--rehearsal", "report.json", "x"}}) {
        TRun wrong = Check(args);
        EXPECT_EQ(wrong.Status, 2) << (args.empty() ? "(nothing)" : args[0]);
        EXPECT_NE(wrong.Output.Err.find("--help"), std::string::npos);
    }
    TRun help = Check({"--help"});
    EXPECT_EQ(help.Status, 0);
    for (const char* topic : {"--json", "--out", "warning", "SCRIPT:LINE:COL"})
        EXPECT_NE(help.Output.Out.find(topic), std::string::npos) << topic;
}

TEST(Checker, Warnings) {
    support::TTempFolder folder("_check-warnings");
    const std::string script = folder.Write("w.KelvoDemo", "'Alpha':DemoStation();\n"
                                                           "'Idle':DemoStation();\n"
                                                           ".Comment('one');\n"
                                                           "Alpha.Sync; Alpha.Next;\n"
                                                           ".Comment('empty');\n"
                                                           "\n"
                                                           ".Comment('last');\n"
                                                           "Alpha.Next;\n");
    TRun run = Check({script});
    EXPECT_EQ(run.Status, 0);
    const std::string behind = " .Next before the last step, but its scheme has 3 sections: its "
                               "window stays at section ";
    EXPECT_EQ(run.Output.Err,
              script + ": warning: step 2 (line 5) is not the last step but has no commands\n" +
                  script + ": warning: no command addresses station 2 \"Idle\"\n" + script +
                  ": warning: station 1 \"Alpha\" receives 1" + behind +
                  "2 while the panel goes on to step 3\n" + script +
                  ": warning: station 2 \"Idle\" receives 0" + behind +
                  "1 while the panel goes on to step 3\n");

    const std::string none = folder.Write("none.KelvoDemo", "/* only a comment */\n");
    TRun empty = Check({none});
    EXPECT_EQ(empty.Status, 0);
    EXPECT_EQ(empty.Output.Err, none +
                                    U(": warning: the script declares no stations: the panel "
                                      "would show \"Идет загрузка\" until it is closed\n") +
                                    none + ": warning: the script has no steps\n");

    // Ё lies below the run of bytes of the Cyrillic alphabet, and is no ASCII either.
    const std::string yo = folder.Write("yo.KelvoDemo", "'Ё1':DemoStation();\n.Comment('x');\n");
    EXPECT_NE(Check({yo}).Output.Err.find("has a name outside ASCII"), std::string::npos);

    // Stations without steps, and steps without stations: each warning for its own lack.
    const std::string stationsOnly = folder.Write("stations.KelvoDemo", "'Alpha':DemoStation();\n");
    EXPECT_EQ(Check({stationsOnly}).Output.Err,
              stationsOnly + ": warning: the script has no steps\n" + stationsOnly +
                  ": warning: no command addresses station 1 \"Alpha\"\n");
    const std::string stepsOnly = folder.Write("steps.KelvoDemo", ".Comment('only');\n");
    EXPECT_EQ(Check({stepsOnly}).Output.Err,
              stepsOnly + U(": warning: the script declares no stations: the panel would show "
                            "\"Идет загрузка\" until it is closed\n"));
}

} // namespace

#ifdef _WIN32
// With a rehearsal's report, a screen saver is measured against the rehearsal's time.
TEST(Checker, HereMeasuresTimeOutsAgainstTheRehearsal) {
    support::TTempFolder folder("_check-here");
    const std::string script = folder.Write(
        "here.KelvoDemo", "'HereAlpha':DemoStation();\r\n.Comment('x');\r\nHereAlpha.Sync;\r\n");
    const std::string shortRun = folder.Write("short.json", "{\"steps\":[],\"totalMs\":30000}\n");
    const std::string longRun = folder.Write("long.json", "{\"steps\":[],\"totalMs\":120000}\n");
    const auto here = [&](std::vector<std::string> args) {
        const support::TScreenSaver saver(60);
        return Check(std::move(args));
    };
    const TRun shorter = here({"--here", "--rehearsal", shortRun, script});
    const TRun longer = here({"--here", "--rehearsal=" + longRun, script});
    const TRun missing = here({"--here", "--rehearsal", folder.Name() + "none.json", script});
    EXPECT_NE(shorter.Output.Out.find(U("заставка: 1 мин\n")), std::string::npos)
        << shorter.Output.Out;
    EXPECT_NE(longer.Output.Out.find(U("заставка: 1 мин, короче репетиции (2 мин)\n")),
              std::string::npos)
        << longer.Output.Out;
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Output.Err.find("cannot read the rehearsal report"), std::string::npos)
        << missing.Output.Err;
}
#endif
