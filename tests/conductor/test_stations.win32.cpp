// Stations that fail the conductor, inside a real panel: a station window of this thread that
// closes while it is awaited, and scheme files that cannot be deleted at shutdown.

#include "protocol/QPanelTexts.h"
#include "protocol/QWindowNames.h"
#include "script/QTestMessage.h"
#include "tests/conductor/PanelTest.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TestWindows.h"
#include "toolkit/WinLoop.h"

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

class LostStation : public TPanelTest {
protected:
    LostStation() : TPanelTest("lost") {}
    std::vector<win::TWindow> stations;

    void TearDown() override {
        stations.clear();
        TPanelTest::TearDown();
    }

    void Script(const std::vector<std::string>& names, std::vector<TQTestStep> steps) {
        for (const std::string& name : names) {
            AddSide(name);
            stations.push_back(support::MakeClassWindow(StationClass, StationTitle(name).c_str()));
        }
        Steps = std::move(steps);
        for (const std::string& name : names)
            WaitFor(name);
        CurStep = -1;
        CurCmd = -1;
    }

    void Ok(int station) {
        PostMessageA(PanelForm->Window, QM_OK, station, 0x1A2B);
        support::FlushMessages();
    }

    void Press() {
        SendMessageA(NextButton->Window, BM_CLICK, 0, 0);
        support::FlushMessages();
    }
};

TEST_F(LostStation, APassedOverStationThatAnswersLateDoesNotMoveTheDemonstrationOn) {
    Script({"A", "B"}, {TQTestStep{{{0, QM_SYNC, -1}, {1, QM_SYNC, -1}}, "Первый"},
                        TQTestStep{{{1, QM_SYNC, -1}}, "Второй"}, TQTestStep{{}, "Конец"}});
    Ok(0);
    Ok(1);
    Press();
    ASSERT_EQ(StateLabel->Caption, WaitingPrefix + std::string("A"));
    stations[0].reset();
    ASSERT_TRUE(support::PumpUntil(
        [] { return NextButton->Caption == SkipCaption && IsEnabled(NextButton); }, 3000))
        << "the closed station was not found lost";
    EXPECT_NE(CommentBox->Caption.find("A: окно станции закрыто"), std::string::npos)
        << CommentBox->Caption;

    Press();
    EXPECT_EQ(StateLabel->Caption, WaitingPrefix + std::string("B")) << "A was not passed over";
    EXPECT_EQ(NextButton->Caption, NextCaption);
    EXPECT_FALSE(IsEnabled(NextButton));
    EXPECT_EQ(CommentBox->Caption, "") << "a short wait for a live station shows nothing";
    Ok(1);
    ASSERT_EQ(CommentBox->Caption, "Второй");
    Ok(0); // the late answer to the command that was passed over
    EXPECT_EQ(CommentBox->Caption, "Второй") << "the late answer moved the demonstration on";
}

TEST_F(LostStation, EachWaitCountsItsSecondsFromItsOwnStart) {
    Script({"A"}, {TQTestStep{{{0, QM_SYNC, -1}}, "Первый"},
                   TQTestStep{{{0, QM_SYNC, -1}}, "Второй"}, TQTestStep{{}, "Конец"}});
    Ok(0);
    Press();
    ASSERT_TRUE(support::PumpUntil(
        [] { return CommentBox->Caption.rfind("Жду ответа 3 с: A", 0) == 0; }, 6000))
        << "the long wait was not shown: " << CommentBox->Caption;
    Ok(0);
    ASSERT_EQ(CommentBox->Caption, "Второй");
    Press();
    EXPECT_EQ(CommentBox->Caption, "") << "the second wait took up the first one's seconds";
    support::PumpFor(1200);
    EXPECT_EQ(CommentBox->Caption, "") << "a wait of a second shows nothing";
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
    EXPECT_FALSE(support::Exists(held)) << "the held file stayed";
    EXPECT_LT(spent, 1500u) << "the read-only file was tried again";
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
