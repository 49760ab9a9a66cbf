// Station names become file names in the temporary folder and window titles; names that
// would leave the folder or that Windows cannot use as a file are syntax errors.
#include "ScriptTestUtil.h"
#include "script/QStationName.h"
#include "tests/support/TempFiles.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

namespace {

using scripttest::ExpectError;

TEST(StationNames, WhichNamesAreFileNames) {
    for (std::string good : {"Alpha", "Офис", "a b", " lead", "x.y", "Alpha.", "CONSOLE", "COM10",
                             "nul_x", "LPT", "~$#%&'()[]{}=+,;`!", "\x7F"}) {
        EXPECT_TRUE(IsValidStationName(good)) << "rejected \"" << good << "\"";
    }
    for (std::string bad : {"",    ".",   "..",      "a\\b", "a/b",  "C:x",  "..\\evil", "../evil",
                            "a<b", "a>b", "a\"b",    "a|b",  "a?b",  "a*b",  "tab\t",    "\x01",
                            "CON", "con", "Nul.txt", "COM1", "lpt9", "AUX ", "prn .x"}) {
        EXPECT_FALSE(IsValidStationName(bad)) << "accepted \"" << bad << "\"";
    }
    EXPECT_FALSE(IsValidStationName(std::string("a\0b", 3))) << "a zero would cut the path";
    EXPECT_TRUE(IsValidStationName(std::string(249, 'n')));
    EXPECT_FALSE(IsValidStationName(std::string(250, 'n'))) << "longer than a file name";
}

TEST(StationNames, ReaderReportsTheName) {
    ExpectError("'ok':DemoStation();\n  '..\\evil':DemoStation();", "Недопустимое имя станции",
                "'..\\evil'");
    ExpectError("'a''/b':DemoStation();", "Недопустимое имя станции", "'a''/b'");
    ExpectError("'Al'#0'pha':DemoStation();", "Недопустимое имя станции", "'Al'");
    ExpectError("'C:'#92'x':DemoStation();", "Недопустимое имя станции", "'C:'");
    ExpectError("'':DemoStation();", "Недопустимое имя станции", "'':");
    // Only names are file names: the same texts in node lines are column text and keys.
    EXPECT_FALSE(scripttest::ErrorOf("'ok':DemoStation();'..\\x' a/b|c:d").has_value());
}

// Windows compares file names and window titles without regard to case: two such stations
// would share both.
TEST(StationNames, ASecondStationOfTheSameFileNameIsAnError) {
    const std::pair<const char*, const char*> twins[] = {
        {"'Twin':DemoStation();\n  'Twin':DemoStation();", "'Twin'"},
        {"'Office':DemoStation();'Beta':DemoStation();'office':DemoStation();", "'office'"},
        {"'Филиал':DemoStation();'фИЛИАЛ':DemoStation();", "'фИЛИАЛ'"},
        {"'Ёж':DemoStation();'ёж':DemoStation();", "'ёж'"},
    };
    for (const auto& [script, at] : twins)
        ExpectError(script, "Станция с таким именем уже есть", at);
    EXPECT_FALSE(scripttest::ErrorOf("'Alpha':DemoStation();'Alpha.':DemoStation();"
                                     "'Alpha ':DemoStation();'Ёж':DemoStation();"
                                     "'Еж':DemoStation();")
                     .has_value())
        << "names of different files";
}

std::set<std::filesystem::path> FilesBelow(const std::filesystem::path& root) {
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (!entry.is_directory())
            files.insert(std::filesystem::relative(entry.path(), root));
    return files;
}

TEST(StationNames, NothingIsWrittenOutsideTheTemporaryFolder) {
    const support::TTempFolder folder("_names");
    const std::filesystem::path root = folder.Path();
    std::filesystem::create_directories(root / "tmp");
    const std::string schemeDir =
        (folder / "tmp") + static_cast<char>(std::filesystem::path::preferred_separator);
    const std::string script = folder / "s.KelvoDemo";
    const std::set<std::filesystem::path> before = {"s.KelvoDemo"};
    for (std::string name :
         {"../up", "..\\up", "..", "sub/x", "C:\\x", "\\\\host\\share\\x", "/abs", "nul"}) {
        {
            std::ofstream(script, std::ios::binary)
                << "'fine':DemoStation();\n'" << name << "':DemoStation();\n.Next;\n";
        }
        EXPECT_THROW(ReadDemoScript(script, schemeDir), EInStm) << name;
        EXPECT_EQ(FilesBelow(root), before) << "after the station \"" << name << "\"";
    }
    { std::ofstream(script, std::ios::binary) << "'fine':DemoStation();'x.y':DemoStation();"; }
    ReadDemoScript(script, schemeDir);
    const std::set<std::filesystem::path> written = {"s.KelvoDemo",
                                                     std::filesystem::path("tmp") / "fine.kelvo",
                                                     std::filesystem::path("tmp") / "x.y.kelvo"};
    EXPECT_EQ(FilesBelow(root), written);
}

} // namespace
