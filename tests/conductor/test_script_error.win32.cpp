// A demo script with a syntax error, given to KelvoDemo.exe as its users give it: the error is
// shown in the dyed box first, read here through the trace viewer; then the program ends in
// its last-resort box with exit code 1, having written nothing.

#include "tests/conductor/TraceViewer.h"
#include "tests/toolkit/BoxProbe.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using namespace boxprobe;
using namespace traceviewer;

namespace {

std::string TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return temp;
}

// A visible top-level window of class CLASSNAME that process PID shows; null when none.
HWND FindWindowOf(DWORD pid, const char* className) {
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExA(nullptr, w, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

// Polls FIND until it gives a window or the process ends; null then.
template <typename F>
HWND WaitForWindow(HANDLE process, F&& find) {
    for (int i = 0; i < 600; ++i) {
        if (HWND w = find())
            return w;
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

// Enter as the user presses it, in BOX brought to the front.
void PressEnter(HWND box) {
    SetForegroundWindow(box);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = VK_RETURN;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// The trace lines from the box's first one on, without time stamps.
std::vector<std::string> BoxTrace(const std::string& logName) {
    std::vector<std::string> lines;
    for (const std::string& line : ReadLines(logName))
        lines.push_back(WithoutStamp(line));
    auto first = std::find(lines.begin(), lines.end(), "Kelvodemo QMsgBox: ");
    return std::vector<std::string>(first, lines.end());
}

TEST(ScriptError, IsShownInTheDyedBoxBeforeTheProgramEnds) {
    const std::string folder = TempFolder();
    const std::string script = folder + "kelvo_script_error.KelvoDemo";
    const std::string logName = folder + "kelvo_script_error.log";
    std::ofstream(script, std::ios::binary) << "\"Alpha\":DemoStation(Folder1);\r\n"
                                               "\"Beta\":DemoStation(Folder2);\r\n"
                                               "    .Bogus;\r\n"
                                               "Alpha.Next;\r\n";
    const std::string schemes[] = {folder + "Alpha.kelvo", folder + "Beta.kelvo"};
    for (const std::string& scheme : schemes)
        DeleteFileA(scheme.c_str());
    DeleteFileA(logName.c_str());

    TTraceViewer viewer(logName);
    ASSERT_NE(viewer.Window, nullptr) << "the trace viewer's window did not come up";
    std::string commandLine = "\"" + BinFolder() + "KelvoDemo.exe\" \"" + script + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    const win::TProcessInfo program(info);
    // A program left waiting by a failed check does not outlive the test.
    struct TEndAtExit {
        HANDLE Process;
        ~TEndAtExit() {
            if (WaitForSingleObject(Process, 0) == WAIT_TIMEOUT)
                TerminateProcess(Process, 99);
        }
    } const endAtExit{program.Process.get()};

    const HWND box = WaitForWindow(program.Process.get(), [&] {
        return FindWindowOf(program.ProcessId, "QMsgBoxMainWindow");
    });
    ASSERT_NE(box, nullptr) << "no dyed box came up";
    EXPECT_EQ(FindBox(program.ProcessId), nullptr) << "the last-resort box came first";
    char caption[64] = {};
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_STREQ(caption, "Ошибка синтаксиса:");
    EXPECT_EQ(BoxTrace(logName), (std::vector<std::string>{
                                     "Kelvodemo QMsgBox: ",
                                     "Kelvodemo   Строка 3 поз. 5:",
                                     "Kelvodemo     Неправильная команда",
                                     "Kelvodemo   ",
                                     "Kelvodemo   \"Alpha\":DemoStation(Folder1);",
                                     "Kelvodemo   \"Beta\":DemoStation(Folder2);",
                                     "Kelvodemo       ",
                                     "Kelvodemo   .Bogus;",
                                     "Kelvodemo   Alpha.Next;",
                                 }));

    PressEnter(box);
    const HWND lastResort =
        WaitForWindow(program.Process.get(), [&] { return FindBox(program.ProcessId); });
    ASSERT_NE(lastResort, nullptr) << "no last-resort box after the dyed one";
    EXPECT_FALSE(IsWindow(box)) << "the dyed box is still there";
    const std::vector<std::string> texts = ReadBox(lastResort).Texts;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
        return t.find("Неправильная команда") != std::string::npos;
    })) << "the last-resort box does not name the error";
    PostMessageA(lastResort, WM_COMMAND, IDOK, 0);

    ASSERT_EQ(WaitForSingleObject(program.Process.get(), 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(program.Process.get(), &exitCode);
    EXPECT_EQ(exitCode, 1u);
    for (const std::string& scheme : schemes)
        EXPECT_EQ(GetFileAttributesA(scheme.c_str()), INVALID_FILE_ATTRIBUTES)
            << scheme << " was written";
    DeleteFileA(script.c_str());
    DeleteFileA(logName.c_str());
}

} // namespace
