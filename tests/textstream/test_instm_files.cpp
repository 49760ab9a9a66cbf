// Loading a text from a file: bytes unchanged, failures as plain exceptions.
#include "InStmTestUtil.h"
#include "tests/support/TempFiles.h"

#include <stdexcept>

namespace {

using support::TTempFile;

TEST(InStmFiles, LoadTextFileTakesTheBytesUnchanged) {
    TTempFile file;
    const char raw[] = "\xEF\xBB\xBF'Офис'\r\n\0tail\n\x98";
    const std::string bytes(raw, sizeof raw - 1);
    file.Write(bytes);
    EXPECT_EQ(LoadTextFile(file.Name()), bytes);
    file.Write("");
    EXPECT_EQ(LoadTextFile(file.Name()), "");
}

TEST(InStmFiles, MissingFileRaisesTheReadErrorNotASyntaxError) {
    const std::string name = "instm_no_such_file.KelvoDemo";
    try {
        LoadTextFile(name);
        ADD_FAILURE() << "no exception";
    } catch (const EInStm&) {
        ADD_FAILURE() << "a syntax error was raised";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Ошибка чтения файла <instm_no_such_file.KelvoDemo>");
    }
}

TEST(InStmFiles, LoadFromFileReplacesTheTextOnlyWhenItWasRead) {
    TTempFile file(".KelvoDemo");
    file.Write("/* head */ 'Alpha' :DemoStation");
    TQInStm stm;
    Open(stm, 3, "old text");
    stm.ReadIdent();
    stm.Options = 0;
    stm.Error("x");
    stm.LoadFromFile(file.Name());
    EXPECT_EQ(stm.ErrorPos(), NoPos);
    EXPECT_EQ(stm.Cur(), 11u) << "the mode's comment is skipped";
    EXPECT_EQ(stm.ReadString(), "Alpha");

    stm.SetPos(4);
    EXPECT_THROW(stm.LoadFromFile("instm_missing.KelvoDemo"), std::runtime_error);
    EXPECT_EQ(stm.Text(), "/* head */ 'Alpha' :DemoStation") << "the previous text stays";
    EXPECT_EQ(stm.Cur(), 4u);
}

TEST(InStmFiles, CyrillicFileName) {
    TTempFile file("_сценарий.KelvoDemo");
    file.Write("'x'");
    EXPECT_EQ(LoadTextFile(file.Name()), "'x'");
    const std::string missing = "нет_такого.KelvoDemo";
    try {
        LoadTextFile(missing);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Ошибка чтения файла <" + missing + ">");
    }
}

} // namespace
