// Plain message boxes: who owns them and what they are titled, seen from a second thread
// that reads the open box and answers it.

#include "tests/support/TopWindows.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WinLoop.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

using namespace support;

namespace {

// Waits for this process's message box, reads it and presses `button`. Gives up after 20 s,
// leaving `seen` empty.
std::thread AnswerBox(TBox& seen, int button) {
    return std::thread([&seen, button] {
        if (HWND box = WaitForTopWindow(GetCurrentProcessId(), DialogClass, 20000)) {
            seen = ReadBox(box);
            PressButton(box, button);
        }
    });
}

} // namespace

TEST(PlainMessageBox, WithoutMainWindowHasNoOwnerAndTheDefaultTitle) {
    ASSERT_EQ(MainWindow(), nullptr) << "a main window exists before any form was made one";
    TBox seen;
    std::thread answer = AnswerBox(seen, IDCANCEL);
    const int pressed = ShowMessageBox("Станция не найдена", MB_OKCANCEL);
    answer.join();
    EXPECT_EQ(pressed, IDCANCEL) << "the pressed button is the result";
    EXPECT_EQ(seen.Texts, std::vector<std::string>{"Станция не найдена"});
    EXPECT_EQ(seen.Owner, nullptr);
    EXPECT_EQ(seen.Caption, DefaultCaption);
}

TEST(PlainMessageBox, MainWindowOwnsTheBoxAndTitlesIt) {
    TWinObj* main = MakeForm(nullptr, "Демонстрация Kelvo");
    HWND form = EnsureWindow(main);
    ASSERT_NE(form, nullptr);
    SetMainWindow(main);
    TBox seen;
    std::thread answer = AnswerBox(seen, IDOK);
    ShowOkMessage("Ошибка запуска: Kelvo.exe");
    answer.join();
    SetMainWindow(nullptr);
    FreeObj(main);
    EXPECT_EQ(seen.Texts, std::vector<std::string>{"Ошибка запуска: Kelvo.exe"});
    EXPECT_EQ(seen.Owner, form) << "the box is not owned by the main window";
    EXPECT_EQ(seen.Caption, "Демонстрация Kelvo");
    EXPECT_EQ(MainWindow(), nullptr);
}
