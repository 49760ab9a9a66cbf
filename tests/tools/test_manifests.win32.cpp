// Every program's application manifest, and what it does for the running program: the
// current look of the common controls.
#include "tests/support/Process.h"
#include "tests/support/Pump.h"

#include "os/WinHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <string>

namespace {

std::string ManifestOf(const std::string& exe) {
    const win::TModule module(LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    std::string text;
    if (HRSRC found = FindResourceA(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
        if (HGLOBAL data = LoadResource(module.get(), found))
            text.assign(static_cast<const char*>(LockResource(data)),
                        SizeofResource(module.get(), found));
    return text;
}

TEST(Manifests, AskForCommonControls6AndNameTheWindowsVersionsAndTheWindowedOnesScale) {
    for (const char* exe : {"KelvoDemo.exe", "Kelvo.exe", "qtrace.exe", "kelvodemo-rehearse.exe",
                            "kelvodemo-check.exe"}) {
        const std::string manifest = ManifestOf(support::ProgramFolder() + exe);
        ASSERT_FALSE(manifest.empty()) << exe << " has no manifest";
        EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
                  std::string::npos)
            << exe;
        for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
                               "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
                               "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
                               "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) // 10 and 11
            EXPECT_NE(manifest.find(os), std::string::npos) << exe << " lacks " << os;
        const bool windowed = std::string(exe) != "kelvodemo-check.exe";
        EXPECT_EQ(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>") != std::string::npos,
                  windowed)
            << exe;
    }
}

// The file of the comctl32.dll that process PID has loaded; empty when it has none.
std::string CommonControlsOf(DWORD pid) {
    const win::TFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot.get(), &module); more;
         more = Module32Next(snapshot.get(), &module))
        if (lstrcmpiA(module.szModule, "comctl32.dll") == 0)
            return module.szExePath;
    return {};
}

TEST(Manifests, TheConductorRunsWithCommonControls6) {
    // Without a parameter the program shows a box and waits: time enough to look at it.
    support::TChild conductor(support::ProgramFolder() + "KelvoDemo.exe", "");
    ASSERT_TRUE(conductor);
    HWND box = nullptr;
    support::PumpUntil([&] { return (box = support::FindBox(conductor.Id())) != nullptr; }, 10000);
    ASSERT_TRUE(box);
    const std::string loaded = CommonControlsOf(conductor.Id());
    EXPECT_NE(loaded.find("common-controls"), std::string::npos) << loaded;
    EXPECT_NE(loaded.find("_6.0."), std::string::npos) << loaded;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(conductor.Wait(10000));
}

} // namespace
