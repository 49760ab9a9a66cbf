// The box's modal run: its buttons and keyboard, its results, the thread's other windows, a
// quit request from elsewhere, and the failures it reports.
#include "msgbox/QMsgBox.h"
#include "msgbox/QProgressLock.h"
#include "tests/msgbox/BoxDriver.h"
#include "tests/support/MsgSequence.h"

#include "errors/err.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace boxdriver;

namespace {

TStep Press(WORD vk) {
    return Do([=](TQMsgBox& box) { PressKey(box.MainWindow(), vk); });
}

struct TMove {
    WORD Key;
    bool Shift;
    int Focus; // the button that has the focus and alone the default style afterwards
};

// Each key of MOVES pressed, and its effect awaited.
std::vector<TStep> Moves(std::vector<TMove> moves) {
    std::vector<TStep> steps;
    for (const TMove& m : moves) {
        steps.push_back(Do([=](TQMsgBox& box) { PressKey(box.MainWindow(), m.Key, m.Shift); }));
        steps.push_back(
            WaitFor("the focus on button " + std::to_string(m.Focus), [=](TQMsgBox& box) {
                if (GetFocus() != box.Buttons()[m.Focus].Handle.get())
                    return false;
                for (std::size_t i = 0; i < box.Buttons().size(); ++i)
                    EXPECT_EQ(GetWindowLongA(box.Buttons()[i].Handle.get(), GWL_STYLE) & 0x0F,
                              static_cast<int>(i) == m.Focus ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)
                        << "button " << i;
                EXPECT_EQ(box.DefaultButton, m.Focus);
                return true;
            }));
    }
    return steps;
}

TEST(MsgBoxRun, TheKeyboardMovesAroundTheButtonsAndEnterPressesOne) {
    TQMsgBox box;
    box.AddText("Сохранить изменения?");
    for (int id : {IDYES, IDNO, IDCANCEL, 100}) // 100 is no standard button
        box.AddStdButton(id);
    std::vector<TStep> steps = Moves({{VK_TAB, false, 1},
                                      {VK_TAB, false, 2},
                                      {VK_TAB, false, 0},
                                      {VK_TAB, true, 2},
                                      {VK_RIGHT, false, 0},
                                      {VK_LEFT, false, 2},
                                      {VK_UP, false, 1},
                                      {VK_DOWN, false, 2},
                                      {VK_UP, false, 1}});
    steps.push_back(Press(VK_RETURN));
    EXPECT_EQ(ExecuteWith(box, steps), IDNO);
    EXPECT_EQ(box.DefaultButton, 1);
}

TEST(MsgBoxRun, ClosingWithoutAButtonGivesZero) {
    const std::tuple<const char*, std::int32_t, TStep> cases[] = {
        {"Esc", IDYES, Press(VK_ESCAPE)},
        {"the close box", IDYES, Close()},
        {"a button with id 0", 0, Press(VK_RETURN)},
    };
    for (const auto& [what, id, close] : cases) {
        TQMsgBox box;
        box.AddButton("Кнопка", id);
        EXPECT_EQ(ExecuteWith(box, {close}), 0) << what;
        EXPECT_EQ(box.DefaultButton, -1) << what;
    }
}

TEST(MsgBoxRun, WithoutButtonsThereIsOkAndTheDefaultIsClamped) {
    TQMsgBox box;
    box.AddText("Текст");
    box.Caption = "Свой заголовок";
    box.Icon = static_cast<WORD>(32513);
    std::vector<TStep> steps = Moves({{VK_TAB, false, 0}});
    steps.push_back(Do([](TQMsgBox& box) {
        EXPECT_EQ(box.Buttons().size(), 1u);
        EXPECT_EQ(box.Buttons()[0].Caption, "OK");
        EXPECT_EQ(ProgressCount(), 1);
        const HICON program = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
        ASSERT_NE(program, nullptr);
        EXPECT_EQ(GetClassLongPtrA(box.MainWindow(), GCLP_HICON), LONG_PTR(program));
        EXPECT_EQ(GetClassLongPtrA(box.TextWindow(), GCLP_HICON),
                  LONG_PTR(LoadIconA(nullptr, IDI_APPLICATION)));
    }));
    steps.push_back(Press(VK_RETURN));
    EXPECT_EQ(ExecuteWith(box, steps), IDOK);
    EXPECT_EQ(ProgressCount(), 0);
    // Emptied for the next use.
    EXPECT_TRUE(box.Pieces.empty());
    EXPECT_TRUE(box.Buttons().empty());
    EXPECT_EQ(box.Caption, "Сообщение");
    EXPECT_FALSE(box.Icon);

    for (const auto& [wanted, pressed] : {std::pair{5, 12}, std::pair{-3, 11}}) {
        box.AddButton("Первая", 11);
        box.AddButton("Вторая", 12);
        box.DefaultButton = wanted;
        EXPECT_EQ(ExecuteWith(box, {Press(VK_RETURN)}), pressed) << wanted;
    }
}

TEST(MsgBoxRun, OtherWindowsOfTheThreadAreDisabledForTheRun) {
    support::TMsgLog log;
    std::vector<win::TWindow> others;
    for (const char* name : {"A", "B", "C"}) {
        others.emplace_back(CreateWindowExA(0, "STATIC", name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                            0, 200, 100, nullptr, nullptr, nullptr, nullptr));
        log.Watch(others.back().get(), name);
    }
    EnableWindow(others[2].get(), FALSE); // disabled before, and so after

    TQMsgBox box;
    {
        const support::TMsgHooks hooks(log);
        ExecuteWith(box, {Do([&](TQMsgBox&) {
                              for (const win::TWindow& w : others)
                                  EXPECT_FALSE(IsWindowEnabled(w.get()));
                          }),
                          Press(VK_RETURN)});
    }
    EXPECT_TRUE(IsWindowEnabled(others[0].get()));
    EXPECT_TRUE(IsWindowEnabled(others[1].get()));
    EXPECT_FALSE(IsWindowEnabled(others[2].get()));
    std::vector<std::pair<HWND, WPARAM>> enables;
    for (const support::TRecordedMsg& m : log.Recorded())
        if (m.Message == WM_ENABLE)
            enables.emplace_back(m.Window, m.WParam);
    ASSERT_EQ(enables.size(), 4u);
    EXPECT_EQ(enables[2], std::pair(enables[1].first, WPARAM{TRUE})) << "enabled in reverse order";
    EXPECT_EQ(enables[3], std::pair(enables[0].first, WPARAM{TRUE}));
    EXPECT_EQ(enables[0].second + enables[1].second, 0u) << "disabled first";
}

TEST(MsgBoxRun, AQuitRequestClosesTheBoxAndGoesOnToTheCallersLoop) {
    TQMsgBox box;
    box.AddButton("Да", 21);
    box.AddButton("Нет", 22);
    std::vector<TStep> steps = Moves({{VK_TAB, false, 1}});
    steps.push_back(Do([](TQMsgBox&) { PostQuitMessage(3); }));
    EXPECT_EQ(ExecuteWith(box, steps), 22) << "the focused button's id";
    EXPECT_EQ(box.DefaultButton, 1);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the caller's loop is not asked to end";
    EXPECT_EQ(msg.wParam, 3u) << "the request keeps its exit code";
}

// The assertion that RUN raised, as its message.
template <typename F>
std::string FailureOf(F&& run) {
    try {
        run();
    } catch (const Exception& e) {
        EXPECT_EQ(e.ErrorCode, ecAssertionFailed);
        return e.Message;
    }
    return "nothing";
}

std::string AssertionText(int line) {
    return "Assertion failed (QMsgBox, line " + std::to_string(line) + ")";
}

// The class whose windows' creation is refused while a test's CBT hook is set.
std::string RefusedClass;

LRESULT CALLBACK RefuseCreation(int code, WPARAM wp, LPARAM lp) {
    char name[64] = {};
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wp), name, sizeof name) &&
        RefusedClass == name)
        return 1;
    return CallNextHookEx(nullptr, code, wp, lp);
}

void CreateWithoutBox(const char* className) {
    CreateWindowExA(0, className, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                    GetModuleHandleA(nullptr), nullptr);
}

TEST(MsgBoxRun, ImpossibleStatesAreReportedWithTheirLines) {
    std::string second;
    TQMsgBox first;
    ExecuteWith(first, {Do([&](TQMsgBox&) {
                            second = FailureOf([] { TQMsgBox().Execute("Второе окно"); });
                        }),
                        Press(VK_RETURN)});
    EXPECT_EQ(second, AssertionText(608)) << "a second box while one is open";

    // A window of the box's classes made without a box while one is open, or the creation of
    // the box's own windows refused.
    const std::tuple<int, const char*, const char*> cases[] = {
        {854, "QMsgBoxMainWindow", nullptr},
        {642, "QMsgBoxTextWindow", nullptr},
        {870, nullptr, "QMsgBoxTextWindow"},
        {1135, nullptr, "QMsgBoxMainWindow"},
    };
    for (const auto& [line, withoutBox, refused] : cases) {
        TQMsgBox box;
        std::string failure;
        if (withoutBox) {
            failure = FailureOf(
                [&] { ExecuteWith(box, {Do([&](TQMsgBox&) { CreateWithoutBox(withoutBox); })}); });
        } else {
            RefusedClass = refused;
            const win::THook hook(
                SetWindowsHookExA(WH_CBT, &RefuseCreation, nullptr, GetCurrentThreadId()));
            failure = FailureOf([&] { box.Execute(); });
        }
        EXPECT_EQ(failure, AssertionText(line));
        EXPECT_EQ(ProgressCount(), 0) << line;
        EXPECT_FALSE(box.Buttons().empty()) << line << ": no reset after a failure";
        MSG msg{};
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            << line << ": a quit request was left behind";
    }

    WNDCLASSA taken{};
    taken.lpfnWndProc = &DefWindowProcA;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = "QMsgBoxTextWindow";
    ASSERT_TRUE(RegisterClassA(&taken));
    EXPECT_EQ(FailureOf([] { TQMsgBox().Execute("x"); }), AssertionText(623));
    UnregisterClassA("QMsgBoxTextWindow", GetModuleHandleA(nullptr));

    TQMsgBox box;
    EXPECT_EQ(ExecuteWith(box, {Press(VK_RETURN)}), IDOK) << "the next box runs";
}

} // namespace
