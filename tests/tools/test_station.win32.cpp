// The rehearsal station as the conductor meets it: Kelvo.exe started with a scheme file and
// /demo(i,n), answering a conductor window of this process.
#include "protocol/QExchangeFolders.h"
#include "protocol/QProtocol.h"
#include "protocol/QWindowNames.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TestWindows.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace support;

namespace {

struct TAnswer {
    WPARAM Index = 0;
    LPARAM X = 0;
};

// A window of the conductor's class, on this thread: it keeps every QM_OK, in order.
struct TConductor {
    std::vector<TAnswer> Answers;
    win::TWindow Window = MakeBoundWindow(ConductorClass, "Пульт", *this);

    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == QM_OK)
            Answers.push_back({wParam, lParam});
        return DefWindowProcA(window, msg, wParam, lParam);
    }

    // The next answer; index -1 when none comes.
    TAnswer NextAnswer() {
        const std::size_t seen = Answers.size();
        if (!PumpUntil([&] { return Answers.size() > seen; }, 20000))
            return {static_cast<WPARAM>(-1), -1};
        return Answers[seen];
    }
};

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::size_t FileCount(const std::string& folder) {
    std::error_code error;
    const auto files = std::filesystem::directory_iterator(FsPath(folder), error);
    return error ? 0 : static_cast<std::size_t>(std::distance(begin(files), end(files)));
}

// The texts of a list box's items, each with whether it is selected. The wide messages are
// the ones Wine carries between processes faithfully.
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

bool Shows(HWND list, const std::string& part) {
    const auto items = ListItems(list);
    return std::any_of(items.begin(), items.end(), [&](const auto& item) {
        return item.first.find(part) != std::string::npos;
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

TEST(Station, AnswersEachCommandOnceShowsItsWorkAndCleansUpOnQuit) {
    const TTempFile scheme("Офис.kelvo");
    scheme.Write("Папка 'C:\\Офис'\r\nDemo data:\r\n.Interactive:=true;\r\n\r\n"
                 "'Первый'\r\n.Pause;\r\n\r\n'Второй'\r\n.Pause;\r\n\r\n");
    const std::string title = FileNamePart(scheme.Name());
    const std::string name = title.substr(0, title.size() - 6);
    TConductor conductor;
    ASSERT_TRUE(conductor.Window);
    const TTempFile handoffs(".txt");
    SetEnvironmentVariableA("KELVO_STATION_HANDOFFS", handoffs.Name().c_str());

    TChild station(ProgramFolder() + "Kelvo.exe", "\"" + scheme.Name() + "\" /demo(1,3)");
    ASSERT_TRUE(station);
    const TAnswer ready = conductor.NextAnswer();
    ASSERT_EQ(ready.Index, 1u) << "no ready answer with the station's index";
    const TExchangeFolders folders = ExchangeFolders(TempFolder(), ready.X, name);
    EXPECT_TRUE(IsFolder(folders.Input) && IsFolder(folders.Output)) << folders.Input;

    HWND window = FindWindowA(StationClass, title.c_str());
    ASSERT_TRUE(window) << "no station window titled " << title;
    char shown[MAX_PATH] = {};
    GetWindowTextA(window, shown, sizeof shown);
    EXPECT_EQ(shown, title);
    RECT work{}, frame{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &frame);
    EXPECT_LE(frame.bottom, work.top + (work.bottom - work.top) * 3 / 5) << "covers the panel";
    EXPECT_GE(frame.left, work.left + (work.right - work.left) / 3 - 1) << "not the second tile";

    const std::vector<HWND> lists = ListBoxesOf(window);
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_TRUE(IsMarked(lists[0], "'Первый'") && !IsMarked(lists[0], "'Второй'"));

    for (const int command : {QM_SYNC, QM_NEXT, QM_REFRESH, QM_FORCEOK, QM_COMPAREBYCRC}) {
        PostMessageA(window, static_cast<UINT>(command), static_cast<WPARAM>(-1), 0);
        const TAnswer done = conductor.NextAnswer();
        EXPECT_EQ(done.Index, 1u) << "no answer to " << command;
        EXPECT_EQ(done.X, ready.X) << "another folder number in the answer to " << command;
        if (command == QM_SYNC) {
            EXPECT_EQ(FileCount(folders.Output), 1u) << "no file to send after .Sync";
        }
    }
    PumpFor(300);
    EXPECT_EQ(conductor.Answers.size(), 6u) << "not exactly one answer per command";
    EXPECT_TRUE(IsMarked(lists[0], "'Второй'") && !IsMarked(lists[0], "'Первый'"))
        << ".Next did not mark the second step";
    EXPECT_TRUE(Shows(lists[1], ".CompareByCRC")) << "the command list misses a command";

    CopyFileA(scheme.Name().c_str(), (folders.Input + "arrived.txt").c_str(), FALSE);
    EXPECT_TRUE(PumpUntil([&] { return Shows(lists[2], "arrived.txt"); }, 3000))
        << "the arrived file is not shown";

    PostMessageA(window, QM_QUIT, static_cast<WPARAM>(-1), 0);
    ASSERT_TRUE(station.Wait(15000)) << "QM_QUIT did not end the station";
    EXPECT_EQ(station.ExitCode(), 0u);
    EXPECT_FALSE(IsFolder(folders.Root)) << folders.Root << " is left";
    // The four commands that followed an answer to a command, in microseconds.
    const std::string times = handoffs.Read();
    EXPECT_EQ(std::count(times.begin(), times.end(), '\n'), 4) << times;
    EXPECT_EQ(times.find_first_not_of("0123456789\r\n"), std::string::npos) << times;
}

} // namespace
