// Temporary files must be where their names say and must go away: a file written under one
// name and removed under another would stay behind unseen.
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

using namespace support;

TEST(TempFiles, CyrillicNamesAreWrittenAndRemoved) {
    std::filesystem::path file, folder;
    {
        TTempFile temp("_тест.tmp");
        EXPECT_FALSE(temp.Exists()) << "nothing is made before a write";
        temp.Write("x");
        EXPECT_TRUE(std::filesystem::exists(FsPath(temp.Name())));
        EXPECT_EQ(temp.Read(), "x");
        EXPECT_NE(TTempFile("_тест.tmp").Name(), temp.Name());

        TTempFolder dir("_папка");
        const std::string name = dir.Write("файл.txt", "y");
        EXPECT_EQ(name, dir / "файл.txt");
        EXPECT_TRUE(std::filesystem::is_regular_file(FsPath(name)));
        EXPECT_EQ(FsPath(name).parent_path(), dir.Path());
        file = FsPath(temp.Name());
        folder = dir.Path();
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(std::filesystem::exists(folder));
}
