// The message recording and the waits: a comparison that never fails, hooks that record
// nothing or a wait that never gives up would let the window tests pass unseen.
#include "tests/support/MsgSequence.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/TestWindows.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace support;

namespace {

// Records every message its window gets into Log, once there is one.
struct TRecordingWindow {
    TMsgLog* Log = nullptr;
    win::TWindow Window = MakeBoundWindow("KelvoRecordingWindow", "", *this);

    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (Log)
            Log->Add(window, message, Sent, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

HWND const Form = reinterpret_cast<HWND>(0x10);
HWND const Button = reinterpret_cast<HWND>(0x20);

void RecordClick(TMsgLog& log) {
    log.Add(Form, WM_COMMAND, Sent, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    log.Add(Form, WM_CLOSE, Posted, 0, 0);
}

} // namespace

TEST(MsgSequence, MatchesOverOptionalEntriesAndIgnoredParameters) {
    TMsgLog log;
    log.Watch(Form, "form");
    log.Ignore(WM_TIMER);
    RecordClick(log);
    log.Add(Form, WM_TIMER, Posted, 1, 0);
    const TMsg clicked[] = {
        {WM_SETFOCUS, Sent | Optional},
        {WM_COMMAND, Sent | WParam, MAKEWPARAM(IDOK, BN_CLICKED), 0, "form"},
        {WM_PAINT, Posted | Optional},
        {WM_CLOSE, Posted, 5, 5},
        {WM_DESTROY, Sent | Optional},
    };
    EXPECT_TRUE(log.Check(clicked, "a click"));
    EXPECT_TRUE(log.Recorded().empty()) << "a check starts the next recording";
}

TEST(MsgSequence, NamesTheHookThatSawAMessageAndRecordsOnlyWhatItIsTold) {
    TMsgLog log;
    log.Watch(Form, "form");
    log.RecordOnly({WM_COMMAND});
    log.Add(Form, WM_CLOSE, Hook, 0, 0, "main");
    log.Add(Form, WM_COMMAND, Hook, 0, 0, "main");
    const TMsg byMain[] = {{WM_COMMAND, Hook, 0, 0, "main"}};
    EXPECT_TRUE(log.Check(byMain, "seen by main"));
    log.Add(Form, WM_COMMAND, Hook, 0, 0, "main");
    const TMsg byForm[] = {{WM_COMMAND, Hook, 0, 0, "form"}};
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(log.Check(byForm, "seen by the form")),
                            "got WM_COMMAND hook wParam=0x0 lParam=0x0 to main");
}

TEST(MsgSequence, TheFirstDifferenceIsReportedAtTheCallersLine) {
    TMsgLog log;
    log.Watch(Form, "form");
    log.Watch(Button, "button");
    const struct {
        std::vector<TMsg> Expected;
        const char* Report;
    } cases[] = {
        {{{WM_COMMAND}, {WM_DESTROY, Posted}},
         "message 1: expected WM_DESTROY posted, got WM_CLOSE posted"},
        {{{WM_COMMAND}, {WM_CLOSE, Sent}},
         "message 1: expected WM_CLOSE sent, got WM_CLOSE posted"},
        {{{WM_COMMAND, Sent | WParam, IDCANCEL}, {WM_CLOSE, Posted}},
         "message 0: expected WM_COMMAND sent wParam=0x2, got WM_COMMAND sent wParam=0x1"},
        {{{WM_COMMAND, Sent, 0, 0, "button"}, {WM_CLOSE, Posted}},
         "expected WM_COMMAND sent to button, got WM_COMMAND sent wParam=0x1 lParam=0x0 to form"},
        {{{WM_COMMAND}, {WM_CLOSE, Posted}, {WM_DESTROY}},
         "message 2: expected WM_DESTROY sent, got nothing more"},
        {{{WM_COMMAND}}, "message 1: expected nothing more, got WM_CLOSE posted"},
    };
    for (const auto& c : cases) {
        RecordClick(log);
        EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(log.Check(c.Expected, "a click")), c.Report);
    }

    testing::TestPartResultArray failures;
    int line = 0;
    {
        testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        RecordClick(log);
        line = __LINE__ + 1;
        log.Check({}, "nothing");
    }
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures.GetTestPartResult(0).line_number(), line);
    EXPECT_STREQ(failures.GetTestPartResult(0).file_name(), __FILE__);
}

TEST(MsgHooks, RecordSentAndTakenMessagesOfWatchedWindowsOnly) {
    win::TWindow watched = MakeClassWindow("KelvoPlainWindow", "");
    win::TWindow other = MakeClassWindow("KelvoPlainWindow", "");
    ASSERT_TRUE(watched && other);
    TMsgLog log;
    log.Watch(watched.get(), "watched");
    {
        TMsgHooks hooks(log);
        SendMessageA(watched.get(), WM_USER + 1, 7, 8);
        SendMessageA(other.get(), WM_USER + 1, 0, 0);
        PostMessageA(other.get(), WM_USER + 2, 0, 0);
        PostMessageA(watched.get(), WM_USER + 2, 0, 9);
        FlushMessages();
    }
    SendMessageA(watched.get(), WM_USER + 3, 0, 0);
    const TMsg expected[] = {
        {WM_USER + 1, Sent | WParam | LParam, 7, 8, "watched"},
        {WM_USER + 2, Posted | LParam, 0, 9, "watched"},
    };
    log.Check(expected, "sent and posted while hooked");
}

TEST(Pump, DispatchesUntilTheConditionHoldsAndGivesUpAtTheDeadline) {
    TMsgLog log;
    TRecordingWindow recording;
    recording.Log = &log;
    ASSERT_TRUE(recording.Window);
    PostMessageA(recording.Window.get(), WM_USER + 5, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !log.Recorded().empty(); }, 5000));
    const TMsg posted[] = {{WM_USER + 5}};
    log.Check(posted, "the posted message");

    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(PumpUntil([] { return false; }, 200));
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_GE(waited, 150u);
    EXPECT_LT(waited, 5000u);

    win::TKernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    EXPECT_FALSE(WaitPumping(event.get(), 50));
    SetEvent(event.get());
    EXPECT_TRUE(WaitPumping(event.get(), 5000));
}

TEST(Child, TakesItsEnvironmentAndGivesBackItsExitCode) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    TChild child(std::string(system) + "\\cmd.exe", "/c exit %KELVO_TEST_CODE%",
                 {"KELVO_TEST_CODE=7"});
    ASSERT_TRUE(child);
    EXPECT_TRUE(child.Wait(20000));
    EXPECT_EQ(child.ExitCode(), 7u);
}
