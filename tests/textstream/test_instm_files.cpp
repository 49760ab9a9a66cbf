// Loading a text from a file: bytes unchanged, failures as the system's own exceptions.
#include "InStmTestUtil.h"
#include "errors/err.h"
#include "tests/support/TempFiles.h"

#include <utility>

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

// The system's own error, with where it was raised for the last-resort box, and why on a
// line of its own.
TEST(InStmFiles, UnreadableFileRaisesTheReadErrorWithItsReason) {
    const support::TTempFolder folder;
    const std::string folderName = folder.Name().substr(0, folder.Name().size() - 1);
    const std::pair<std::string, const char*> cases[] = {
        {"instm_no_such_file.KelvoDemo", "файл не найден"},
        {"instm_no_such_dir/x.KelvoDemo", "файл не найден"},
        {folderName, "это папка"},
    };
    for (const auto& [name, reason] : cases) {
        try {
            LoadTextFile(name);
            ADD_FAILURE() << name << ": no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Ошибка чтения файла <" + name + ">\r\n" + reason);
            EXPECT_EQ(e.ErrorCode, ecSystem);
            EXPECT_NE(e.RaiseAddress, nullptr) << name;
        }
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
    EXPECT_THROW(stm.LoadFromFile("instm_missing.KelvoDemo"), Exception);
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
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Ошибка чтения файла <" + missing + ">\r\nфайл не найден");
    }
}

} // namespace
