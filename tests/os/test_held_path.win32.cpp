// Paths that the system's narrow functions must open as they are: a script's, the program's,
// the temporary folder. The test runs on code pages 1251 and 1252.
#include "os/CodePage.h"
#include "os/Platform.h"
#include "os/Wide.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

class HeldPath : public ::testing::Test {
protected:
    support::TTempFolder folder{"_held"};
    std::wstring base = win::Wide(folder.Name());

    // A file of CONTENT in the folder SUB, both made with their wide names.
    std::wstring MakeFile(const std::wstring& sub, const std::string& content) {
        CreateDirectoryW((base + sub).c_str(), nullptr);
        const std::wstring path = base + sub + L"\\demo.KelvoDemo";
        const std::string held = win::Narrow(base) + "held.tmp";
        EXPECT_TRUE(os::WriteWholeFile(held, content));
        EXPECT_TRUE(MoveFileW(win::Wide(held).c_str(), path.c_str()));
        return path;
    }

    void TearDown() override {
        for (const wchar_t* sub : {L"Jos\u00E9", L"\u0418\u0432\u0430\u043D"}) {
            DeleteFileW((base + sub + L"\\demo.KelvoDemo").c_str());
            RemoveDirectoryW((base + sub).c_str());
        }
    }
};

TEST_F(HeldPath, AnAsciiPathIsHeldAsItIs) {
    std::string held;
    ASSERT_TRUE(win::HeldPath(base + L"none.txt", held)) << "no file is needed for it";
    EXPECT_EQ(held, folder.Name() + "none.txt");
}

TEST_F(HeldPath, ALetterOutsideCodePage1251OpensByTheShortName) {
    const std::wstring path = MakeFile(L"Jos\u00E9", "script");
    std::string held, bytes;
    ASSERT_TRUE(win::HeldPath(path, held));
    EXPECT_EQ(held.find('?'), std::string::npos) << held;
    ASSERT_TRUE(os::ReadWholeFile(held, bytes)) << held;
    EXPECT_EQ(bytes, "script");
    EXPECT_FALSE(win::HeldPath(base + L"Jos\u00E9\\missing.KelvoDemo", held))
        << "a path that does not exist has no short name to open";
}

// On a Russian Windows as it is; on a Western one by its short name.
TEST_F(HeldPath, ACyrillicFolderOpensOnAnyCodePage) {
    const std::wstring path = MakeFile(L"\u0418\u0432\u0430\u043D", "Иван");
    std::string held, bytes;
    ASSERT_TRUE(win::HeldPath(path, held));
    if (os::SystemCodePage() == 1251) {
        EXPECT_EQ(win::Wide(held), path);
    } else {
        EXPECT_NE(win::Wide(held), path) << "the short name";
    }
    ASSERT_TRUE(os::ReadWholeFile(held, bytes)) << held;
    EXPECT_EQ(bytes, "Иван");
}

} // namespace
