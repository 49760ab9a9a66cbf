// The demonstration as a presenter runs it: KelvoDemo.exe with a script, real station
// processes, and the panel closed or the session ended before the end. Whatever happens, the
// stations end and no scheme file stays in the temporary folder.

#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TopWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace support;

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempDir() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

// Station names no other test uses, so that their scheme files are this test's own.
const std::string TwoStations = "'DemoAlpha':DemoStation();'DemoBeta':DemoStation();\n"
                                ".Comment('Первый');\nDemoAlpha.Sync;\n.Comment('Конец');\n";

void ExpectNoSchemeFiles() {
    EXPECT_FALSE(Exists(TempDir() + "DemoAlpha.kelvo")) << "a scheme file stayed";
    EXPECT_FALSE(Exists(TempDir() + "DemoBeta.kelvo")) << "a scheme file stayed";
}

// WM_CLOSE as the presenter's close box sends it, or WM_ENDSESSION as a logoff does.
void EndPanel(const TChild& demo, UINT message = WM_CLOSE) {
    HWND panel = WaitForTopWindow(demo.Id(), "TFormKelvoDemo");
    ASSERT_NE(panel, nullptr) << "no panel";
    PostMessageA(panel, message, message == WM_ENDSESSION, 0);
}

TEST(Demo, MissingStationProgramShowsOneBoxPerStationAndStillCleansUp) {
    TTempFolder folder("demo missing");
    const std::string exe = folder / "KelvoDemo.exe";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "KelvoDemo.exe").c_str(), exe.c_str(), FALSE));
    const std::string script = folder.Write("two.KelvoDemo", TwoStations);
    TChild demo(exe, "\"" + script + "\"");
    std::vector<TBox> boxes;
    for (int i = 0; i < 2; ++i) {
        HWND box = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (box = FindBox(demo.Id())) != nullptr; }, 20000))
            << "box " << i + 1 << " did not come";
        boxes.push_back(ReadBox(box));
        PressButton(box, IDOK);
        PumpUntil([&] { return !IsWindow(box); });
    }
    const std::string product = folder / "Kelvo.exe";
    EXPECT_EQ(boxes[0].Texts.at(0),
              "Ошибка запуска: " + product + " \"" + TempDir() + "DemoAlpha.kelvo\" /demo(0,2)");
    EXPECT_EQ(boxes[1].Texts.at(0),
              "Ошибка запуска: " + product + " \"" + TempDir() + "DemoBeta.kelvo\" /demo(1,2)");
    EXPECT_EQ(boxes[0].Caption, "Пульт управления демонстрацией");
    EXPECT_NE(boxes[0].Owner, nullptr) << "the box is not owned by the panel";
    EndPanel(demo);
    ASSERT_TRUE(demo.Wait(10000)) << "the conductor did not end";
    EXPECT_EQ(demo.ExitCode(), 0u);
    ExpectNoSchemeFiles();
}

// A logoff ends the conductor at once, from inside its message loop.
class DemoEndedEarly : public testing::TestWithParam<UINT> {};

TEST_P(DemoEndedEarly, EndsEveryStationAndLeavesNoSchemeFile) {
    TTempFolder folder("demo early");
    const std::string script = folder.Write("two.KelvoDemo", TwoStations);
    TChild demo(ProgramFolder() + "KelvoDemo.exe", "\"" + script + "\"");
    std::vector<HWND> stations;
    ASSERT_TRUE(PumpUntil(
        [&] {
            stations = {FindWindowA("TFormKelvo", "DemoAlpha.kelvo"),
                        FindWindowA("TFormKelvo", "DemoBeta.kelvo")};
            return stations[0] && stations[1];
        },
        20000))
        << "the stations did not start";
    // A logoff that another program cancelled: the demonstration goes on.
    SendMessageA(WaitForTopWindow(demo.Id(), "TFormKelvoDemo"), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(Exists(TempDir() + "DemoAlpha.kelvo")) << "a cancelled logoff deleted a file";
    EXPECT_FALSE(PumpUntil([&] { return !IsWindow(stations[0]) || !IsWindow(stations[1]); }, 500))
        << "a cancelled logoff ended a station";
    EndPanel(demo, GetParam());
    ASSERT_TRUE(demo.Wait(10000)) << "the conductor did not end";
    EXPECT_EQ(demo.ExitCode(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(stations[0]) && !IsWindow(stations[1]); }, 10000))
        << "a station kept running";
    ExpectNoSchemeFiles();
}

INSTANTIATE_TEST_SUITE_P(ClosedOrLoggedOff, DemoEndedEarly,
                         testing::Values(UINT{WM_CLOSE}, UINT{WM_ENDSESSION}),
                         [](const testing::TestParamInfo<UINT>& info) {
                             return info.param == WM_CLOSE ? "PanelClosed" : "SessionEnded";
                         });

} // namespace
