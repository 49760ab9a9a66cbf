// Plain message boxes: who owns them and what they are titled, seen from a second thread
// that reads the open box and answers it.

#include "toolkit/MainWindow.h"
#include "toolkit/MessageBox.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

namespace {

struct TSeenBox {
    HWND Owner = nullptr;
    std::string Caption;
    std::string Text;
};

BOOL CALLBACK FindOwnBox(HWND w, LPARAM param) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && std::string(cls) == "#32770" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(param) = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadStatic(HWND w, LPARAM param) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    if (lstrcmpiA(cls, "Static") == 0 && text[0])
        *reinterpret_cast<std::string*>(param) = text;
    return TRUE;
}

// Waits for this process's message box, reads it and presses `button`. Gives up after 20 s,
// leaving `seen` empty.
std::thread AnswerBox(TSeenBox& seen, int button) {
    return std::thread([&seen, button] {
        for (int i = 0; i < 400; ++i) {
            HWND box = nullptr;
            EnumWindows(FindOwnBox, reinterpret_cast<LPARAM>(&box));
            if (box) {
                seen.Owner = GetWindow(box, GW_OWNER);
                char caption[256] = {};
                GetWindowTextA(box, caption, sizeof caption);
                seen.Caption = caption;
                EnumChildWindows(box, ReadStatic, reinterpret_cast<LPARAM>(&seen.Text));
                PostMessageA(box, WM_COMMAND, button, 0);
                return;
            }
            Sleep(50);
        }
    });
}

} // namespace

TEST(MessageBox, WithoutMainWindowHasNoOwnerAndTheDefaultTitle) {
    ASSERT_EQ(MainWindow(), nullptr) << "a main window exists before any form was made one";
    TSeenBox seen;
    std::thread answer = AnswerBox(seen, IDCANCEL);
    const int pressed = ShowMessageBox("Станция не найдена", MB_OKCANCEL);
    answer.join();
    EXPECT_EQ(pressed, IDCANCEL) << "the pressed button is the result";
    EXPECT_EQ(seen.Text, "Станция не найдена");
    EXPECT_EQ(seen.Owner, nullptr);
    EXPECT_EQ(seen.Caption, "Ошибка") << "Wine's title for a box without one, Russian locale";
}

TEST(MessageBox, MainWindowOwnsTheBoxAndTitlesIt) {
    HWND form = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(form, nullptr);
    SetMainWindow({form, "Демонстрация Kelvo"});
    TSeenBox seen;
    std::thread answer = AnswerBox(seen, IDOK);
    ShowOkMessage("Ошибка запуска: Kelvo.exe");
    answer.join();
    ClearMainWindow();
    DestroyWindow(form);
    EXPECT_EQ(seen.Text, "Ошибка запуска: Kelvo.exe");
    EXPECT_EQ(seen.Owner, form) << "the box is not owned by the main window";
    EXPECT_EQ(seen.Caption, "Демонстрация Kelvo");
    EXPECT_EQ(MainWindow(), nullptr);
}
