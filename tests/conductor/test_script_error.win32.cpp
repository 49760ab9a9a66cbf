// A demo script with a syntax error, given to KelvoDemo.exe as its users give it: the error is
// shown in the dyed box first, read here through the trace viewer; then the program ends in
// its last-resort box with exit code 1, having started no station and written nothing.

#include "protocol/QWindowNames.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TopWindows.h"
#include "tests/support/TraceViewer.h"
#include "tools/panelprobe/Press.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace support;
using namespace traceviewer;

namespace {

// The trace lines from the box's first one on, without time stamps.
std::vector<std::string> BoxTrace(const std::string& logName) {
    std::vector<std::string> lines;
    for (const std::string& line : ReadLines(logName))
        lines.push_back(WithoutStamp(line));
    auto first = std::find(lines.begin(), lines.end(), "Kelvodemo QMsgBox: ");
    return std::vector<std::string>(first, lines.end());
}

TEST(ScriptError, IsShownInTheDyedBoxBeforeTheProgramEnds) {
    // Station names no other test uses, so that their scheme files are this test's own.
    const std::string schemes[] = {TempFolder() + "ErrorAlpha.kelvo",
                                   TempFolder() + "ErrorBeta.kelvo"};
    const TTempFolder folder("script error");
    const std::string script = folder.Write("error.KelvoDemo", "\"ErrorAlpha\":DemoStation(A);\r\n"
                                                               "\"ErrorBeta\":DemoStation(B);\r\n"
                                                               "    .Bogus;\r\n"
                                                               "ErrorAlpha.Next;\r\n");
    const TTempFile log(".log");
    TTraceViewer viewer(log.Name());
    ASSERT_NE(viewer.Window, nullptr) << "the trace viewer's window did not come up";

    TChild demo(ProgramFolder() + "KelvoDemo.exe", "\"" + script + "\"");
    const HWND box = WaitForTopWindow(demo.Id(), BoxClass, 20000);
    ASSERT_NE(box, nullptr) << "no dyed box came up";
    EXPECT_EQ(FindBox(demo.Id()), nullptr) << "the last-resort box came first";
    EXPECT_EQ(TextOf(box), "Ошибка синтаксиса:");
    EXPECT_EQ(BoxTrace(log.Name()), (std::vector<std::string>{
                                        "Kelvodemo QMsgBox: ",
                                        "Kelvodemo   Строка 3 поз. 5:",
                                        "Kelvodemo     Неправильная команда",
                                        "Kelvodemo   ",
                                        "Kelvodemo   \"ErrorAlpha\":DemoStation(A);",
                                        "Kelvodemo   \"ErrorBeta\":DemoStation(B);",
                                        "Kelvodemo       ",
                                        "Kelvodemo   .Bogus;",
                                        "Kelvodemo   ErrorAlpha.Next;",
                                    }));

    BringToFront(box);
    TypeEnter();
    HWND lastResort = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (lastResort = FindBox(demo.Id())) != nullptr; }, 20000))
        << "no last-resort box after the dyed one";
    EXPECT_FALSE(IsWindow(box)) << "the dyed box is still there";
    const std::vector<std::string> texts = ReadBox(lastResort).Texts;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
        return t.find("Неправильная команда") != std::string::npos;
    })) << "the last-resort box does not name the error";
    PressButton(lastResort, IDOK);
    ASSERT_TRUE(demo.Wait(20000)) << "the program did not end";
    EXPECT_EQ(demo.ExitCode(), 1u);
    EXPECT_EQ(FindWindowA(StationClass, StationTitle("ErrorAlpha").c_str()), nullptr)
        << "a station started";
    for (const std::string& scheme : schemes)
        EXPECT_FALSE(Exists(scheme)) << scheme;
}

} // namespace
