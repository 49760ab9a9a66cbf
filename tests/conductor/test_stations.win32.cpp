// Stations that fail the conductor: scheme files that cannot be deleted at shutdown.

#include "conductor/QStations.h"
#include "script/QTestMessage.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace {

void AddSide(const std::string& name, const std::string& schemeFile = {}) {
    TQTestSide side;
    side.Name = name;
    side.SchemeFile = schemeFile;
    Sides.push_back(std::move(side));
}

// A scheme file that a station still holds is deleted once it lets go; one that cannot be
// deleted for any other reason is not waited for.
TEST(StopStations, RetriesOnlyAFileThatIsHeldOpen) {
    support::TTempFolder folder("stop");
    const std::string held = folder.Write("Held.kelvo", "x");
    const std::string readOnly = folder.Write("ReadOnly.kelvo", "x");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    AddSide("Held", held);
    AddSide("ReadOnly", readOnly);
    HANDLE open = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    std::thread station([open] {
        Sleep(300);
        CloseHandle(open);
    });

    const ULONGLONG start = GetTickCount64();
    StopStations();
    const ULONGLONG spent = GetTickCount64() - start;
    station.join();
    Sides.clear();
    EXPECT_EQ(GetFileAttributesA(held.c_str()), INVALID_FILE_ATTRIBUTES) << "the held file stayed";
    EXPECT_LT(spent, 1500u) << "the read-only file was tried again";
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
