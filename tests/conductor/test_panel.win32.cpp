// The control panel's place on the screen, and its window as other processes find it.

#include "conductor/QControlPanel.h"
#include "protocol/QWindowNames.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "toolkit/WinLoop.h"

#include <gtest/gtest.h>

namespace {

TEST(Panel, TakesTheLowerTwoFifthsOfTheWorkArea) {
    const TPanelRows exact = PanelRows({0, 0, 1280, 1000});
    EXPECT_EQ(exact.Top, 600);
    EXPECT_EQ(exact.Height, 400);
    const TPanelRows truncated = PanelRows({0, 0, 1280, 1001});
    EXPECT_EQ(truncated.Top, 600);
    EXPECT_EQ(truncated.Height, 400);
    EXPECT_EQ(PanelRows({0, 30, 1280, 1030}).Top, 630);
}

TEST(Panel, IsBuiltHiddenOnTheRealWorkArea) {
    BuildControlPanel({}, {});
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const TPanelRows rows = PanelRows(work);
    ASSERT_TRUE(PanelForm->Window);
    RECT placed{};
    GetWindowRect(PanelForm->Window, &placed);
    EXPECT_EQ(placed.left, work.left);
    EXPECT_EQ(placed.right, work.right);
    EXPECT_EQ(placed.top, rows.Top);
    EXPECT_EQ(placed.bottom, rows.Top + rows.Height);
    EXPECT_FALSE(IsWindowVisible(PanelForm->Window));
    EXPECT_EQ(MainWindow(), PanelForm);
    SetMainWindow(nullptr);
    FreeObj(PanelForm);
}

// The panel of process `pid`, among those of any other test that runs meanwhile.
HWND PanelOf(DWORD pid) {
    for (HWND w = FindWindowA(ConductorClass, nullptr); w;
         w = FindWindowExA(nullptr, w, ConductorClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid)
            return w;
    }
    return nullptr;
}

TEST(Panel, IsFoundFromAnotherProcessBeforeItIsShown) {
    support::TChild child(support::ProgramFolder() + "conductor_panel_child.exe", "");
    HWND panel = nullptr;
    support::PumpUntil([&] { return (panel = PanelOf(child.Id())) != nullptr; }, 10000);
    ASSERT_TRUE(panel);
    EXPECT_FALSE(IsWindowVisible(panel));
    PostMessageA(panel, WM_CLOSE, 0, 0);
    ASSERT_TRUE(child.Wait(10000));
    EXPECT_EQ(child.ExitCode(), 0u);
}

} // namespace
