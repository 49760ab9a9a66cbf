// The box's modal run: its buttons and keyboard, its results, the thread's other windows, a
// quit request from elsewhere, and the failures it reports.
#include "msgbox/QMsgBox.h"
#include "msgbox/QProgressLock.h"
#include "tests/msgbox/BoxDriver.h"

#include "errors/err.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace boxdriver;

namespace {

int FocusedButton(const TQMsgBox& box) {
    const HWND focus = GetFocus();
    for (std::size_t i = 0; i < box.Buttons().size(); ++i)
        if (box.Buttons()[i].Handle == focus)
            return static_cast<int>(i);
    return -1;
}

bool IsDefaultStyle(HWND button) {
    return (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

// Presses a key, then waits until the focus is on button EXPECTED, which alone has the
// default style.
std::vector<TStep> KeyMovesTo(WORD vk, bool shift, int expected) {
    const std::string what = "the focus on button " + std::to_string(expected);
    return {
        Do([=](TQMsgBox& box) { PressKey(box.MainWindow(), vk, shift); }),
        WaitFor(what, [=](TQMsgBox& box) {
            if (FocusedButton(box) != expected)
                return false;
            for (std::size_t i = 0; i < box.Buttons().size(); ++i)
                EXPECT_EQ(IsDefaultStyle(box.Buttons()[i].Handle), static_cast<int>(i) == expected)
                    << "button " << i;
            EXPECT_EQ(box.DefaultButton, expected);
            return true;
        })};
}

std::vector<TStep> Joined(std::vector<std::vector<TStep>> parts) {
    std::vector<TStep> steps;
    for (auto& part : parts)
        steps.insert(steps.end(), part.begin(), part.end());
    return steps;
}

TStep Press(WORD vk) {
    return Do([=](TQMsgBox& box) { PressKey(box.MainWindow(), vk); });
}

TEST(MsgBoxRun, TheKeyboardMovesAroundTheButtonsAndEnterPressesOne) {
    TQMsgBox box;
    box.AddText("Сохранить изменения?");
    box.AddStdButton(IDYES);
    box.AddStdButton(IDNO);
    box.AddStdButton(IDCANCEL);
    box.AddStdButton(100); // no such standard button
    const std::int32_t result = ExecuteWith(box, Joined({KeyMovesTo(VK_TAB, false, 1),
                                                         KeyMovesTo(VK_TAB, false, 2),
                                                         KeyMovesTo(VK_TAB, false, 0),
                                                         KeyMovesTo(VK_TAB, true, 2),
                                                         KeyMovesTo(VK_RIGHT, false, 0),
                                                         KeyMovesTo(VK_LEFT, false, 2),
                                                         KeyMovesTo(VK_UP, false, 1),
                                                         KeyMovesTo(VK_DOWN, false, 2),
                                                         KeyMovesTo(VK_UP, false, 1),
                                                         {Press(VK_RETURN)}}));
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(box.Result, IDNO);
    EXPECT_EQ(box.DefaultButton, 1);
}

TEST(MsgBoxRun, ClosingWithoutAButtonGivesZero) {
    const struct {
        const char* What;
        std::int32_t ButtonId; // of the only button; -1 for none added
        TStep Close;
    } cases[] = {
        {"Esc", IDYES, Press(VK_ESCAPE)},
        {"the close box", IDYES, Close()},
        {"a button with id 0", 0, Press(VK_RETURN)},
    };
    for (const auto& c : cases) {
        TQMsgBox box;
        box.AddButton("Кнопка", c.ButtonId);
        box.DefaultButton = 0;
        EXPECT_EQ(ExecuteWith(box, {c.Close}), 0) << c.What;
        EXPECT_EQ(box.DefaultButton, -1) << c.What;
    }
}

TEST(MsgBoxRun, TheDefaultButtonIsClampedAndWithoutButtonsThereIsOk) {
    TQMsgBox box;
    box.AddText("Текст");
    box.Caption = "Свой заголовок";
    box.Icon = static_cast<WORD>(32513);
    ExecuteWith(box, {WaitFor("the focus on OK",
                              [](TQMsgBox& box) {
                                  if (FocusedButton(box) != 0)
                                      return false;
                                  EXPECT_EQ(box.Buttons().size(), 1u);
                                  EXPECT_EQ(box.Buttons()[0].Caption, "OK");
                                  EXPECT_TRUE(IsDefaultStyle(box.Buttons()[0].Handle));
                                  EXPECT_EQ(ProgressCount(), 1);
                                  return true;
                              }),
                      Press(VK_RETURN)});
    EXPECT_EQ(box.Result, IDOK);
    EXPECT_EQ(ProgressCount(), 0);
    // Emptied for the next use.
    EXPECT_TRUE(box.Pieces.empty());
    EXPECT_TRUE(box.Buttons().empty());
    EXPECT_EQ(box.Caption, "Сообщение");
    EXPECT_FALSE(box.Icon);

    for (const auto& [wanted, expected] : {std::pair{5, 1}, std::pair{-3, 0}}) {
        box.AddButton("Первая", 11);
        box.AddButton("Вторая", 12);
        box.DefaultButton = wanted;
        EXPECT_EQ(ExecuteWith(box, {Press(VK_RETURN)}), 11 + expected) << wanted;
    }
}

// Top-level windows of this thread that record when they are enabled and disabled.
class TOtherWindows {
public:
    TOtherWindows() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MsgBoxTestOther";
        RegisterClassA(&windowClass);
        for (const char* name : {"A", "B", "C"}) {
            Windows.emplace_back(
                CreateWindowExA(0, "MsgBoxTestOther", name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
        }
        EnableWindow(Windows[2].get(), FALSE); // disabled before, and after
        Events().clear();
    }
    ~TOtherWindows() {
        Windows.clear();
        UnregisterClassA("MsgBoxTestOther", GetModuleHandleA(nullptr));
    }

    // "-A" when A was disabled, "+A" when enabled.
    static std::vector<std::string>& Events() {
        static std::vector<std::string> events;
        return events;
    }

    std::vector<win::TWindow> Windows;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_ENABLE) {
            char name[8] = {};
            GetWindowTextA(w, name, sizeof name);
            Events().push_back((wp ? "+" : "-") + std::string(name));
        }
        return DefWindowProcA(w, msg, wp, lp);
    }
};

TEST(MsgBoxRun, OtherWindowsOfTheThreadAreDisabledForTheRun) {
    TOtherWindows others;
    TQMsgBox box;
    ExecuteWith(box, {Do([&](TQMsgBox&) {
                          for (const win::TWindow& w : others.Windows)
                              EXPECT_FALSE(IsWindowEnabled(w.get()));
                      }),
                      Press(VK_RETURN)});
    EXPECT_TRUE(IsWindowEnabled(others.Windows[0].get()));
    EXPECT_TRUE(IsWindowEnabled(others.Windows[1].get()));
    EXPECT_FALSE(IsWindowEnabled(others.Windows[2].get())) << "it was disabled before";
    // Disabled in the order they were found, enabled in reverse.
    ASSERT_EQ(TOtherWindows::Events().size(), 4u);
    const std::string first = TOtherWindows::Events()[0].substr(1);
    const std::string second = TOtherWindows::Events()[1].substr(1);
    EXPECT_EQ(TOtherWindows::Events(),
              (std::vector<std::string>{"-" + first, "-" + second, "+" + second, "+" + first}));
}

TEST(MsgBoxRun, AQuitRequestClosesTheBoxAndGoesOnToTheCallersLoop) {
    TQMsgBox box;
    box.AddButton("Да", 21);
    box.AddButton("Нет", 22);
    const std::int32_t result = ExecuteWith(
        box, Joined({KeyMovesTo(VK_TAB, false, 1), {Do([](TQMsgBox&) { PostQuitMessage(3); })}}));
    EXPECT_EQ(result, 22) << "the focused button's id";
    EXPECT_EQ(box.DefaultButton, 1);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the caller's loop is not asked to end";
    EXPECT_EQ(msg.wParam, 3u) << "the request keeps its exit code";
}

// The failure that Execute raised, as its message; empty when there was none.
template <typename F>
std::string FailureOf(F&& run) {
    try {
        run();
    } catch (const Exception& e) {
        EXPECT_EQ(e.ErrorCode, ecAssertionFailed);
        return e.Message;
    }
    return {};
}

std::string AssertionText(int line) {
    return "Assertion failed (QMsgBox, line " + std::to_string(line) + ")";
}

// Refuses the creation of windows of one class.
class TCreationRefused {
public:
    explicit TCreationRefused(const char* className) {
        ClassName() = className;
        Hook_ = SetWindowsHookExA(WH_CBT, &Proc, nullptr, GetCurrentThreadId());
    }
    ~TCreationRefused() { UnhookWindowsHookEx(Hook_); }

private:
    static std::string& ClassName() {
        static std::string name;
        return name;
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_CREATEWND) {
            char name[64] = {};
            GetClassNameA(reinterpret_cast<HWND>(wp), name, sizeof name);
            if (ClassName() == name)
                return 1;
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    HHOOK Hook_;
};

void CreateWithoutBox(const char* className) {
    CreateWindowExA(0, className, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                    GetModuleHandleA(nullptr), nullptr);
}

TEST(MsgBoxRun, ImpossibleStatesAreReportedWithTheirLines) {
    // A second box while one is open.
    std::string second;
    TQMsgBox first;
    ExecuteWith(first, {Do([&](TQMsgBox&) {
                            second = FailureOf([] { TQMsgBox().Execute("Второе окно"); });
                        }),
                        Press(VK_RETURN)});
    EXPECT_EQ(second, AssertionText(608));

    const struct {
        int Line;
        const char* WithoutBox; // a window of this class made while a box is open
        const char* Refused;    // or the creation of this class refused
    } cases[] = {
        {854, "QMsgBoxMainWindow", nullptr},
        {642, "QMsgBoxTextWindow", nullptr},
        {870, nullptr, "QMsgBoxTextWindow"},
        {1135, nullptr, "QMsgBoxMainWindow"},
    };
    for (const auto& c : cases) {
        TQMsgBox box;
        std::string failure;
        if (c.WithoutBox) {
            failure = FailureOf([&] {
                ExecuteWith(box, {Do([&](TQMsgBox&) { CreateWithoutBox(c.WithoutBox); })});
            });
        } else {
            TCreationRefused refused(c.Refused);
            failure = FailureOf([&] { box.Execute(); });
        }
        EXPECT_EQ(failure, AssertionText(c.Line));
        EXPECT_EQ(ProgressCount(), 0) << c.Line;
        EXPECT_FALSE(box.Buttons().empty()) << c.Line << ": no reset after a failure";
        MSG msg{};
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            << c.Line << ": a quit request was left behind";
    }

    WNDCLASSA taken{};
    taken.lpfnWndProc = &DefWindowProcA;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = "QMsgBoxTextWindow";
    ASSERT_TRUE(RegisterClassA(&taken));
    EXPECT_EQ(FailureOf([] { TQMsgBox().Execute("x"); }), AssertionText(623));
    UnregisterClassA("QMsgBoxTextWindow", GetModuleHandleA(nullptr));

    // Everything was put back: the next box runs.
    TQMsgBox box;
    EXPECT_EQ(ExecuteWith(box, {Press(VK_RETURN)}), IDOK);
}

} // namespace
