// The sequencer inside a real panel: stations are windows of this thread that record what
// the conductor posts them, and their acknowledgements are posted to the panel as a station
// process would post them.

#include "os/Platform.h"
#include "protocol/QExchangeFolders.h"
#include "protocol/QPanelTexts.h"
#include "protocol/QTrace.h"
#include "protocol/QWindowNames.h"
#include "script/QTestMessage.h"
#include "tests/conductor/PanelTest.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TestWindows.h"
#include "toolkit/WinLoop.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// A trace window of this thread, which the trace goes to while it is open: it keeps the
// lines it is sent.
struct TTraceWindow {
    std::vector<std::string> Lines;
    win::TWindow Window = support::MakeBoundWindow(TraceClass, TraceTitle, *this);

    TTraceWindow() { InitTrace(); }
    ~TTraceWindow() {
        Window.reset();
        InitTrace();
    }
    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_SETTEXT)
            Lines.push_back(reinterpret_cast<const char*>(lParam));
        return DefWindowProcA(window, msg, wParam, lParam);
    }
};

// A station window of this thread: it keeps every command it is posted, in order.
struct TStationWindow {
    explicit TStationWindow(const std::string& name)
        : Window(support::MakeBoundWindow(StationClass, StationTitle(name).c_str(), *this)) {}
    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg >= QM_OK && msg <= QM_COMPAREBYCRC)
            Received.push_back(msg);
        return DefWindowProcA(window, msg, wParam, lParam);
    }

    std::vector<UINT> Received;
    win::TWindow Window;
};

class Sequencer : public TPanelTest {
protected:
    Sequencer() : TPanelTest("sequencer") {}
    std::deque<TStationWindow> stations;

    void TearDown() override {
        stations.clear();
        TPanelTest::TearDown();
    }

    // Declares the stations and steps as a script would, and awaits every station.
    void Script(const std::vector<std::string>& names, std::vector<TQTestStep> steps) {
        for (const std::string& name : names) {
            TQTestSide side;
            side.Name = name;
            Sides.push_back(std::move(side));
            stations.emplace_back(name);
        }
        Steps = std::move(steps);
        for (const std::string& name : names)
            WaitFor(name);
        CurStep = -1;
        CurCmd = -1;
    }

    void Ok(int station, LPARAM folder = 0x1A2B) {
        PostMessageA(PanelForm->Window, QM_OK, station, folder);
        support::FlushMessages();
    }

    void Press() {
        SendMessageA(NextButton->Window, BM_CLICK, 0, 0);
        support::FlushMessages();
    }

    std::string Label() const { return StateLabel->Caption; }
    std::string Button() const { return NextButton->Caption; }
};

TQTestStep Step(std::string comment, TQTestCmdArray cmds) {
    return TQTestStep{std::move(cmds), std::move(comment)};
}

TEST_F(Sequencer, LabelNamesTheAwaitedStationsUntilAllAreReady) {
    Script({"beta", "Alpha"}, {Step("Первый шаг", {}), Step("", {})});
    EXPECT_EQ(Label(), WaitingPrefix + std::string("Alpha,beta"))
        << "sorted without regard to case, no blank";
    EXPECT_FALSE(IsEnabled(NextButton));
    EXPECT_EQ(Button(), "Обождите");
    Ok(0);
    EXPECT_EQ(Label(), WaitingPrefix + std::string("Alpha"));
    Ok(1);
    EXPECT_EQ(Label(), ReadyText);
    EXPECT_EQ(CommentBox->Caption, "Первый шаг");
    EXPECT_EQ(Button(), NextCaption);
    EXPECT_TRUE(IsEnabled(NextButton));
    const TExchangeFolders folders = ExchangeFolders(TempDir, 0x1A2B, "Alpha");
    EXPECT_EQ(Sides[1].InputDir, folders.Input);
    Ok(1, 0x99);
    EXPECT_EQ(Sides[1].OutputDir, folders.Output) << "a later QM_OK moved the folders";
}

TEST_F(Sequencer, CommandsRunOneAfterAnotherAndTheFileArrives) {
    Script({"A", "B"},
           {Step("", {{0, QM_SYNC, -1}, {0, QM_SEND, 1}, {1, QM_SEND, 0}}), Step("Конец", {})});
    TTraceWindow trace;
    Ok(0);
    Ok(1);
    EXPECT_EQ(CommentBox->Caption, NoCommentText);
    support::MakeFolders(Sides[0].OutputDir);
    support::MakeFolders(Sides[1].InputDir);
    ASSERT_TRUE(os::WriteWholeFile(Sides[0].OutputDir + "data.txt", "x"));

    Press();
    EXPECT_EQ(stations[0].Received, std::vector<UINT>{QM_SYNC});
    EXPECT_EQ(Label(), WaitingPrefix + std::string("A"));
    EXPECT_FALSE(IsEnabled(NextButton));
    EXPECT_EQ(CommentBox->Caption, "");
    Ok(0);
    EXPECT_TRUE(support::Exists(Sides[1].InputDir + "data.txt")) << "no transfer";
    EXPECT_TRUE(support::Exists(Sides[0].OutputDir + "data.txt")) << "the source file was moved";
    EXPECT_EQ(CommentBox->Caption, "Конец");
    EXPECT_EQ(Button(), LastCaption);
    // The second transfer finds nothing in B's output folder.
    const std::vector<std::string> lines = {"conductor_test_sequencer   Transfer Ok",
                                            "conductor_test_sequencer   Transfer Error"};
    EXPECT_EQ(trace.Lines, lines);
}

TEST_F(Sequencer, UnsolicitedOkRunsTheSecondCommandAndNothingOnTheLastStep) {
    Script({"A"}, {Step("", {{0, QM_NEXT, -1}, {0, QM_REFRESH, -1}}),
                   Step("", {{0, QM_SYNC, -1}, {0, QM_FORCEOK, -1}})});
    Ok(0);
    Ok(0); // nobody asked
    EXPECT_EQ(stations[0].Received, std::vector<UINT>{QM_REFRESH});
    Ok(0);
    EXPECT_EQ(Button(), LastCaption);
    Ok(0);
    EXPECT_EQ(stations[0].Received, std::vector<UINT>{QM_REFRESH})
        << "a command of the last step ran";
    TTraceWindow trace;
    Ok(1); // one past the last station: ignored
    EXPECT_EQ(Label(), ReadyText);
    EXPECT_EQ(trace.Lines,
              std::vector<std::string>{"conductor_test_sequencer QM_OK from an unknown station 1"});
}

TEST_F(Sequencer, EmptyStepsAndAnEmptyScript) {
    Script({"A"}, {Step("пусто", {}), Step("второй", {})});
    Ok(0);
    Press();
    EXPECT_EQ(CommentBox->Caption, "второй") << "a step without commands was not passed";
    EXPECT_EQ(Button(), LastCaption);

    Steps.clear();
    CurStep = -1;
    CurCmd = -1;
    WaitForNone();
    EXPECT_EQ(Label(), ReadyText);
    EXPECT_EQ(Button(), LastCaption);
    EXPECT_TRUE(IsEnabled(NextButton));
}

TEST(Stations, SplitPathAndTheTemporaryFolder) {
    EXPECT_EQ(SplitPath("D:\\Demo\\tool.exe").Folder, "D:\\Demo\\");
    EXPECT_EQ(SplitPath("D:\\Demo\\tool.exe").Name, "tool.exe");
    EXPECT_EQ(SplitPath("tool.exe").Folder, "");
    EXPECT_EQ(SplitPath("tool.exe").Name, "tool.exe");
    const std::string temp = GetTempDir();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_NE(temp.substr(0, temp.size() - 1).back(), '\\') << "a second backslash was added";
}

} // namespace
