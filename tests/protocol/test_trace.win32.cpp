// The station messages and the trace channel, with windows of this process and a running
// trace viewer.
#include "os/WinHandle.h"
#include "protocol/QTrace.h"
#include "protocol/QWindowNames.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TestWindows.h"
#include "tests/support/TraceViewer.h"
#include "tools/qtrace/TraceForm.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace traceviewer;

namespace {

struct TPosted {
    bool Arrived = false;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
};

TPosted TakePosted(HWND window, UINT msg) {
    MSG m;
    TPosted posted;
    if (PeekMessageA(&m, window, msg, msg, PM_REMOVE))
        posted = TPosted{true, m.wParam, m.lParam};
    return posted;
}

TEST(QTraceTest, ProgramTitleRule) {
    EXPECT_EQ(ProgramTitle("C:\\Tools\\DEMOTOOL.EXE"), "Demotool");
    EXPECT_EQ(ProgramTitle("DeMO.Tool.exe"), "Demo");
    EXPECT_EQ(ProgramTitle("kelvoDemo.exe"), "kelvodemo") << "the first character stays as it is";
    EXPECT_EQ(ProgramTitle("D:QTRACE"), "Qtrace");
    EXPECT_EQ(ProgramTitle("C:\\Демо\\ТЕСТ.EXE"), "Тест");
    EXPECT_EQ(ProgramTitle("C:\\x\\K"), "K");
    EXPECT_EQ(ProgramTitle("C:\\x\\.exe"), "");
}

TEST(QTraceTest, MessageNames) {
    EXPECT_EQ(QMName(QM_OK), "QM_OK");
    EXPECT_EQ(QMName(QM_REFRESH), "QM_REFRESH");
    EXPECT_EQ(QMName(QM_SYNC), "QM_SYNC");
    EXPECT_EQ(QMName(QM_NEXT), "QM_NEXT");
    EXPECT_EQ(QMName(QM_SEND), "QM_SEND");
    EXPECT_EQ(QMName(QM_QUIT), "QM_QUIT");
    EXPECT_EQ(QMName(QM_FORCEOK), "QM_???");
    EXPECT_EQ(QMName(QM_COMPAREBYCRC), "QM_???");
    EXPECT_EQ(QMName(0), "QM_???");
}

TEST(SendQMTest, PostsToTheStationAndToTheConductor) {
    win::TWindow station = support::MakeClassWindow(StationClass, "alpha.KELVO");
    win::TWindow other = support::MakeClassWindow(StationClass, "Alphabet.kelvo");
    win::TWindow conductor = support::MakeClassWindow(ConductorClass, "Демонстрация");
    ASSERT_TRUE(station && other && conductor);

    SendQM(static_cast<WPARAM>(-1), "ALPHA", QM_SYNC, 0);
    TPosted sync = TakePosted(station.get(), QM_SYNC);
    EXPECT_TRUE(sync.Arrived) << "the station's title differs only in case";
    EXPECT_EQ(sync.WParam, static_cast<WPARAM>(-1));
    EXPECT_FALSE(TakePosted(other.get(), QM_SYNC).Arrived) << "posted to the wrong station";

    SendQM(3, "", QM_OK, 255);
    TPosted ok = TakePosted(conductor.get(), QM_OK);
    EXPECT_TRUE(ok.Arrived) << "nothing posted to the conductor's window";
    EXPECT_EQ(ok.WParam, 3u);
    EXPECT_EQ(ok.LParam, 255);
}

bool IsTimeStamp(const std::string& s) {
    // HH:MM:SS.mmm
    static const char pattern[] = "99:99:99.999";
    if (s.size() != sizeof pattern - 1)
        return false;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (pattern[i] == '9' ? !isdigit(static_cast<unsigned char>(s[i])) : s[i] != pattern[i])
            return false;
    return true;
}

TEST(TraceTest, MissingWindowsAreTracedToTheViewerFoundAtStart) {
    const support::TTempFile log(".log");
    const std::string& logName = log.Name();

    InitTrace(); // no viewer yet: what follows goes nowhere, even once one is open
    {
        TTraceViewer viewer(logName);
        ASSERT_NE(viewer.Window, nullptr) << "the trace viewer's window did not come up";
        SendQM(static_cast<WPARAM>(-1), "Early", QM_NEXT, 0);

        EXPECT_FALSE(Tracing());
        InitTrace();
        EXPECT_TRUE(Tracing());
        SendQM(static_cast<WPARAM>(-1), "Beta", QM_NEXT, 0);
        SendQM(static_cast<WPARAM>(-1), "Gamma", QM_FORCEOK, 0);
        SendQM(1, "", QM_OK, 7);
        Trace("  Transfer Ok");

        // The viewer's list goes to the clipboard, one line of text per trace line.
        SendMessageA(viewer.Window, WM_COMMAND, cmdCopy, 0);
        std::string copied;
        if (const win::TClipboard clipboard(nullptr); clipboard)
            if (const win::TGlobalLock data(GetClipboardData(CF_TEXT)); data)
                copied = static_cast<const char*>(data.get());
        EXPECT_NE(copied.find("  protocol_test_trace failed: ->Beta.kelvo.QM_NEXT\r\n"),
                  std::string::npos)
            << "clipboard: " << copied;
        EXPECT_NE(copied.find("  protocol_test_trace   Transfer Ok\r\n"), std::string::npos)
            << "clipboard: " << copied;

        char title[64] = {};
        GetWindowTextA(viewer.Window, title, sizeof title);
        EXPECT_STREQ(title, TraceTitle) << "a trace line changed the viewer's title";
    }
    InitTrace(); // the viewer is gone: tracing must do nothing
    Trace("after the end");

    std::vector<std::string> lines = ReadLines(logName);
    const std::string expected[] = {
        "protocol_test_trace failed: ->Beta.kelvo.QM_NEXT",
        "protocol_test_trace failed: ->Gamma.kelvo.QM_???",
        "protocol_test_trace failed: ->.QM_OK",
        "protocol_test_trace   Transfer Ok",
    };
    ASSERT_EQ(lines.size(), std::size(expected)) << "log lines";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(IsTimeStamp(lines[i].substr(0, 12))) << lines[i];
        EXPECT_EQ(lines[i].substr(std::min<std::size_t>(13, lines[i].size())), expected[i]);
    }
}

} // namespace
