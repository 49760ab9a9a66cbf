// The rehearsal station as the conductor meets it: Kelvo.exe started hidden with a scheme file
// and /demo(i,n), answering a conductor window of this process.
#include "conductor/QProtocol.h"
#include "toolkit/TextUtils.h"
#include "toolkit/WinHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string TempFolder() {
    char path[MAX_PATH + 1];
    return std::string(path, GetTempPathA(sizeof path, path));
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    win::TFindHandle find(FindFirstFileA((folder + "*").c_str(), &entry));
    if (find) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.emplace_back(entry.cFileName);
        } while (FindNextFileA(find.get(), &entry));
    }
    return names;
}

// A hidden window of the conductor's class, on this thread.
win::TWindow MakeConductorWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TFormKelvoDemo";
    RegisterClassA(&windowClass);
    return win::TWindow(CreateWindowExA(0, "TFormKelvoDemo", "Пульт", WS_OVERLAPPED, 0, 0, 100, 100,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

struct TAnswer {
    WPARAM Index = 0;
    LPARAM X = 0;
};

// The QM_OK answers that reach WINDOW within TIMEOUTMS, the messages of this thread pumped
// meanwhile; with STOPATFIRST the wait ends at the first answer.
std::vector<TAnswer> CollectAnswers(HWND window, DWORD timeoutMs, bool stopAtFirst) {
    std::vector<TAnswer> answers;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == window && msg.message == QM_OK) {
                answers.push_back({msg.wParam, msg.lParam});
                if (stopAtFirst)
                    return answers;
            }
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return answers;
}

TAnswer NextAnswer(HWND window) {
    const std::vector<TAnswer> answers = CollectAnswers(window, 20000, true);
    return answers.empty() ? TAnswer{static_cast<WPARAM>(-1), -1} : answers[0];
}

// The texts of LIST's items, each with whether it is selected. The wide message is the one
// that Wine carries between processes faithfully.
std::vector<std::pair<std::string, bool>> ListItems(HWND list) {
    std::vector<std::pair<std::string, bool>> items;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t wide[512] = {};
        char text[512] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 511)
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        items.emplace_back(text, SendMessageW(list, LB_GETSEL, i, 0) > 0);
    }
    return items;
}

bool IsMarked(HWND list, const std::string& line) {
    for (const auto& [text, selected] : ListItems(list))
        if (text == line)
            return selected;
    ADD_FAILURE() << "the scheme shows no line " << line;
    return false;
}

bool Lists(HWND list, const std::string& line) {
    const auto items = ListItems(list);
    return std::any_of(items.begin(), items.end(), [&](const auto& item) {
        return item.first.find(line) != std::string::npos;
    });
}

// The station's list boxes in creation order: scheme, commands, exchange folders.
std::vector<HWND> ListBoxesOf(HWND window) {
    std::vector<HWND> lists;
    for (HWND child = FindWindowExA(window, nullptr, "LISTBOX", nullptr); child;
         child = FindWindowExA(window, child, "LISTBOX", nullptr))
        lists.push_back(child);
    return lists;
}

// A scheme file of two steps in the temporary folder, removed with the object.
struct TSchemeFile {
    explicit TSchemeFile(const std::string& name) : Path(TempFolder() + name + ".kelvo") {
        const std::string text = "Папка 'C:\\Офис'\r\nDemo data:\r\n.Interactive:=true;\r\n\r\n"
                                 "'Первый'\r\n.Pause;\r\n\r\n'Второй'\r\n.Pause;\r\n\r\n";
        win::TFile file(
            CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    ~TSchemeFile() { DeleteFileA(Path.c_str()); }
    std::string Path;
};

TEST(Station, AnswersEachCommandOnceShowsItsWorkAndCleansUpOnQuit) {
    const std::string name = "Офис" + std::to_string(GetCurrentProcessId());
    const TSchemeFile scheme(name);
    win::TWindow conductor = MakeConductorWindow();
    ASSERT_TRUE(conductor);

    const std::string exe = ProgramFolder() + "Kelvo.exe";
    std::string cmdLine = "\"" + exe + "\" \"" + scheme.Path + "\" /demo(1,3)";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE; // as the conductor starts its stations
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &pi))
        << cmdLine;
    const win::TProcessInfo process(pi);

    const TAnswer ready = NextAnswer(conductor.get());
    ASSERT_EQ(ready.Index, 1u) << "no ready answer with the station's index";
    const std::string root = TempFolder() + "$Kelvo$" + FormatText("%x", {ready.X}) + "\\";
    const std::string point = root + name + ".kelvo.files\\Там.point\\";
    EXPECT_TRUE(IsFolder(point + "Input\\") && IsFolder(point + "Output\\")) << point;

    HWND station = FindWindowA("TFormKelvo", (name + ".kelvo").c_str());
    ASSERT_TRUE(station) << "no station window titled " << name << ".kelvo";
    char title[MAX_PATH] = {};
    GetWindowTextA(station, title, sizeof title);
    EXPECT_EQ(title, name + ".kelvo");
    EXPECT_TRUE(IsWindowVisible(station)) << "the station stayed hidden";
    RECT work{}, frame{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(station, &frame);
    EXPECT_LE(frame.bottom, work.top + (work.bottom - work.top) * 3 / 5) << "covers the panel";
    EXPECT_GE(frame.left, work.left + (work.right - work.left) / 3 - 1) << "not the second tile";

    const std::vector<HWND> lists = ListBoxesOf(station);
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_TRUE(IsMarked(lists[0], "'Первый'") && !IsMarked(lists[0], "'Второй'"));

    for (const int command : {QM_SYNC, QM_NEXT, QM_REFRESH, QM_FORCEOK, QM_COMPAREBYCRC}) {
        PostMessageA(station, static_cast<UINT>(command), static_cast<WPARAM>(-1), 0);
        const TAnswer done = NextAnswer(conductor.get());
        EXPECT_EQ(done.Index, 1u) << "no answer to " << command;
        EXPECT_EQ(done.X, ready.X) << "another folder number in the answer to " << command;
        if (command == QM_SYNC) {
            EXPECT_EQ(FilesIn(point + "Output\\").size(), 1u) << "no file to send after .Sync";
        }
    }
    EXPECT_TRUE(CollectAnswers(conductor.get(), 300, false).empty()) << "a command answered twice";
    EXPECT_TRUE(IsMarked(lists[0], "'Второй'") && !IsMarked(lists[0], "'Первый'"))
        << ".Next did not mark the second step";
    EXPECT_TRUE(Lists(lists[1], ".CompareByCRC")) << "the command list misses a command";

    // A file that arrives is shown within the station's polling time.
    CopyFileA(scheme.Path.c_str(), (point + "Input\\arrived.txt").c_str(), FALSE);
    CollectAnswers(conductor.get(), 1000, false);
    EXPECT_TRUE(Lists(lists[2], "arrived.txt")) << "the arrived file is not shown";

    PostMessageA(station, QM_QUIT, static_cast<WPARAM>(-1), 0);
    ASSERT_EQ(WaitForSingleObject(process.Process.get(), 15000), WAIT_OBJECT_0)
        << "QM_QUIT did not end the station";
    DWORD exitCode = 1;
    GetExitCodeProcess(process.Process.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(IsFolder(root)) << root << " is left";
}

} // namespace
