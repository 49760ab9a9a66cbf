// Saving where Windows cannot create the file.
#include "errors/err.h"
#include "os/WinHandle.h"
#include "tests/support/TempFiles.h"
#include "textstream/QStm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectWriteError(const std::string& name) {
    try {
        SaveTextFile("text", name);
        ADD_FAILURE() << name << ": nothing was raised";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Ошибка записи в файл <" + name + ">");
    }
}

TEST(OutStmWindowsFile, PathsThatCannotBeCreated) {
    ExpectWriteError("C:\\no_such_folder_kelvo\\scheme.kelvo");
    ExpectWriteError("bad|name?.kelvo");
    ExpectWriteError("C:\\windows\\");
    ExpectWriteError("");
}

TEST(OutStmWindowsFile, AFileOpenedWithoutSharingCannotBeReplaced) {
    const support::TTempFile file;
    const std::string& name = file.Name();
    {
        win::TFile locked(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(locked);
        ExpectWriteError(name);
    }
    EXPECT_NO_THROW(SaveTextFile("now", name)) << "once the other handle is closed";
}

} // namespace
