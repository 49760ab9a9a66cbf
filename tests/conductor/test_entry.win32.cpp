// The program as its users start it: KelvoDemo.exe run as a child process with a command line,
// its message boxes found, read and closed from here, its registry work read back.

#include "protocol/QWindowNames.h"
#include "tests/shellreg/RegProbe.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace regprobe;
using namespace support;

namespace {

// KelvoDemo.exe is built into the folder of the test programs.
std::string DemoExe() {
    return ProgramFolder() + "KelvoDemo.exe";
}

// A quiet run: it ends by itself with exit code 0 and shows nothing.
void ExpectQuietRun(const TRun& run, const std::string& what) {
    EXPECT_TRUE(run.Ended) << what << " did not end";
    EXPECT_EQ(run.ExitCode, 0u) << what;
    EXPECT_TRUE(run.Boxes.empty())
        << what << " showed a box: "
        << (run.Boxes.empty() || run.Boxes[0].Texts.empty() ? "" : run.Boxes[0].Texts[0]);
}

bool AnyProductTypeRegistered() {
    for (const auto& [path, value] : Snapshot())
        if (KeyExists(HKEY_CLASSES_ROOT, path))
            return true;
    return false;
}

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveProductKeys(); }
    void TearDown() override { RemoveProductKeys(); }
};

// A copy of the program in a folder of its own.
class TProgramCopy {
public:
    TProgramCopy(const std::string& folderSuffix, const std::string& fileName)
        : Dir(folderSuffix), Folder(Dir.Name()), Exe(Dir / fileName),
          Copied(CopyFileA(DemoExe().c_str(), Exe.c_str(), FALSE) != 0) {}
    TTempFolder Dir;
    std::string Folder;
    std::string Exe;
    bool Copied = false;
};

} // namespace

TEST(Entry, MissingParameterShowsAnUnownedBoxWithTheDefaultCaption) {
    const TRun run = RunProgram(DemoExe(), "");
    EXPECT_TRUE(run.Ended) << "the program did not end after its box was answered";
    EXPECT_EQ(run.ExitCode, 0u);
    ASSERT_EQ(run.Boxes.size(), 1u);
    const TBox& box = run.Boxes[0];
    EXPECT_EQ(box.Texts, std::vector<std::string>{"Parameter missing"});
    EXPECT_EQ(box.Caption, DefaultCaption);
    EXPECT_EQ(box.Owner, nullptr) << "the box has an owner window";

    // An empty pair of quotes is no parameter either.
    const TRun quotes = RunProgram(DemoExe(), "\"\"");
    ASSERT_EQ(quotes.Boxes.size(), 1u);
    EXPECT_EQ(quotes.Boxes[0].Texts, std::vector<std::string>{"Parameter missing"});
    EXPECT_EQ(quotes.ExitCode, 0u);
}

TEST_F(EntryTest, RegisterTwiceLeavesTheSameEntries) {
    ExpectQuietRun(RunProgram(DemoExe(), "/register"), "/register");
    const auto first = Snapshot();
    for (const auto& [path, value] : first)
        EXPECT_TRUE(value.has_value()) << path << " has no default text";
    const std::string demo = ProgramFolder() + "KelvoDemo.exe";
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoDemo\\shell\\open\\command"),
              "\"" + demo + "\" \"%1\"");

    // A changed entry is put right by the second run.
    ASSERT_TRUE(PutText(HKEY_CLASSES_ROOT, "Norvane.Kelvo\\DefaultIcon", nullptr, "stale,9"));
    ExpectQuietRun(RunProgram(DemoExe(), "/register"), "the second /register");
    EXPECT_EQ(Snapshot(), first);
}

TEST_F(EntryTest, CommandNamesTheFolderOfARenamedCopyWithSpaces) {
    const TProgramCopy copy(" Kelvo demo folder", "Renamed conductor.exe");
    ASSERT_TRUE(copy.Copied) << "cannot copy the program to " << copy.Exe;

    ExpectQuietRun(RunProgram(copy.Exe, "/register"), "/register of the copy");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoDemo\\shell\\open\\command"),
              "\"" + copy.Folder + "KelvoDemo.exe\" \"%1\"");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoUpd\\shell\\open\\command"),
              "\"" + copy.Folder + "Kelvo.exe\" \"%1\"");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoUpd\\DefaultIcon"),
              copy.Folder + "Kelvo.exe,1");
}

TEST_F(EntryTest, UnregisterRemovesNestedVerbsSettingsAndTheEmptiedMakerKey) {
    ExpectQuietRun(RunProgram(DemoExe(), "/register"), "/register");
    ASSERT_TRUE(PutText(HKEY_CLASSES_ROOT, "Norvane.Kelvo\\shell\\edit\\command", nullptr, "e"));
    ASSERT_TRUE(
        PutText(HKEY_CLASSES_ROOT, "Norvane.KelvoDemo\\shell\\print\\command\\deeper", "v", "x"));
    ASSERT_TRUE(PutText(HKEY_CURRENT_USER, "Software\\Norvane\\Kelvo2\\Window\\Pos", "X", "10"));
    ASSERT_TRUE(PutText(HKEY_CURRENT_USER, "Software\\Norvane\\Kelvo2", "Path", "C:\\Sync"));
    ASSERT_TRUE(PutText(HKEY_CURRENT_USER, "Software\\Norvane", "Owner", "someone"));

    ExpectQuietRun(RunProgram(DemoExe(), "/unregister"), "/unregister");
    for (const TKeyRef& key : ProductKeys())
        EXPECT_FALSE(KeyExists(key.Root, key.Path)) << key.Path << " is still there";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software")) << "HKCU\\Software went as well";
}

TEST_F(EntryTest, UnregisterKeepsTheMakerKeyOfAnotherProduct) {
    ASSERT_TRUE(PutText(HKEY_CURRENT_USER, "Software\\Norvane\\Kelvo2\\Sub", "a", "b"));
    ASSERT_TRUE(PutText(HKEY_CURRENT_USER, "Software\\Norvane\\Other", "Setting", "kept"));
    ASSERT_TRUE(PutText(HKEY_CURRENT_USER, "Software\\Norvane", "Owner", "someone"));

    ExpectQuietRun(RunProgram(DemoExe(), "/unregister"), "/unregister");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Norvane\\Kelvo2"));
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, "Software\\Norvane\\Other", "Setting"), "kept");
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, "Software\\Norvane", "Owner"), "someone");
}

TEST_F(EntryTest, UnregisterWithNothingRegisteredEndsQuietly) {
    ExpectQuietRun(RunProgram(DemoExe(), "/unregister"), "/unregister of nothing");
    EXPECT_FALSE(AnyProductTypeRegistered());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software"));
}

TEST_F(EntryTest, OnlyTheExactFirstParameterIsASwitch) {
    const TRun upper = RunProgram(DemoExe(), "/REGISTER");
    EXPECT_TRUE(upper.Ended);
    EXPECT_EQ(upper.ExitCode, 1u) << "a script that cannot be run is an error";
    ASSERT_EQ(upper.Boxes.size(), 1u) << "the last-resort box";
    const std::vector<std::string>& texts = upper.Boxes[0].Texts;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
        return t.find("Ошибка чтения файла </REGISTER>") != std::string::npos;
    })) << "/REGISTER was not read as a script path";
    EXPECT_FALSE(AnyProductTypeRegistered()) << "/REGISTER registered the file types";

    const TRun second = RunProgram(DemoExe(), "demo.KelvoDemo /register");
    EXPECT_EQ(second.ExitCode, 1u) << "a second parameter was taken as the switch";
    EXPECT_EQ(second.Boxes.size(), 1u);
    EXPECT_FALSE(AnyProductTypeRegistered()) << "the second parameter registered the file types";

    ExpectQuietRun(RunProgram(DemoExe(), "/register"), "/register");
    ExpectQuietRun(RunProgram(DemoExe(), "/unregister /register"), "/unregister /register");
    EXPECT_FALSE(AnyProductTypeRegistered()) << "the second parameter was acted on";
}

// Stations answer the first panel they find: while one demonstration runs, a second one only
// points at it. The switches are not demonstrations and still run.
TEST_F(EntryTest, ASecondDemonstrationShowsTheRunningOneAndWritesNothing) {
    TTempFolder folder("entry twice");
    const std::string firstScript = folder.Write("first.KelvoDemo", ".Comment('Один');\n");
    TChild first(DemoExe(), "\"" + firstScript + "\"");
    HWND panel = WaitForTopWindow(first.Id(), ConductorClass);
    ASSERT_NE(panel, nullptr) << "the first demonstration shows no panel";
    win::TWindow other(CreateWindowA("STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(other.get());

    const std::string second =
        folder.Write("second.KelvoDemo", "'EntrySecond':X();\n.Comment('Два');\n");
    const TRun run = RunProgram(DemoExe(), "\"" + second + "\"", 10000);
    EXPECT_TRUE(run.Ended);
    EXPECT_EQ(run.ExitCode, 0u);
    ASSERT_EQ(run.Boxes.size(), 1u);
    EXPECT_EQ(run.Boxes[0].Texts, std::vector<std::string>{"Демонстрация уже идет"});
    EXPECT_FALSE(Exists(TempFolder() + "EntrySecond.kelvo")) << "a scheme file was written";
    EXPECT_EQ(FindWindowA(StationClass, StationTitle("EntrySecond").c_str()), nullptr)
        << "a station started";
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == panel; }, 2000))
        << "the running panel was not brought to the front";
    ExpectQuietRun(RunProgram(DemoExe(), "/unregister"), "/unregister during a demonstration");

    PostMessageA(panel, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.Wait(10000));
    EXPECT_EQ(first.ExitCode(), 0u);
}
