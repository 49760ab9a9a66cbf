// The life of a main form: made hidden, shown by the loop with its controls, released when
// the loop ends however it ends; the end of a session ends the whole process.

#include "tests/support/Process.h"
#include "tests/support/TimerSteps.h"
#include "toolkit/WinLoop.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

bool Shown(const TWinObj* obj) {
    return obj->Window && IsWindowVisible(obj->Window);
}

TEST(Loop, TheFormMadeHiddenIsShownByTheLoopAndReleasedWhenItCloses) {
    TWinObj* form = MakeForm(nullptr, "Loop");
    TWinObj* bar = MakePanel(form, peNone);
    TWinObj* label = MakeLabel(bar, "label");
    TWinObj* box = MakeRichEdit(form, roWrapLines);
    const std::vector<TWinObj*> controls{bar, label, box};

    ASSERT_TRUE(form->Window) << "the rich text box makes its parents' windows";
    EXPECT_FALSE(IsWindowVisible(form->Window));
    for (TWinObj* c : controls)
        EXPECT_TRUE(c->Window);

    const HWND window = form->Window;
    TWinObj* closing = form;
    bool allShown = false;
    support::TTimerSteps run({[&] {
                                 allShown = Shown(closing);
                                 for (TWinObj* c : controls)
                                     allShown = allShown && Shown(c);
                                 return allShown;
                             }},
                             [closing] { PostClose(closing); });
    RunMainWindow(form);

    EXPECT_TRUE(allShown);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_FALSE(LoopRunning());
    EXPECT_FALSE(IsWindow(window));
}

void Fail(void*, TWinObj*) {
    throw std::runtime_error("handler failed");
}

TEST(Loop, AHandlersExceptionLeavesAfterTheLoopHasEnded) {
    TWinObj* form = MakeForm(nullptr, "Loop");
    TWinObj* button = MakeButton(form, "fail");
    button->OnClick = MakeEventRef(nullptr, Fail);
    TWinObj* closing = form;
    // The click is posted: the timer's own frame is the system's, not the toolkit's.
    support::TTimerSteps run(
        {[=] { return PostMessageA(button->Window, BM_CLICK, 0, 0), true; }, [] { return false; }},
        [closing] { PostClose(closing); });

    HWND window = nullptr;
    try {
        window = EnsureWindow(form);
        RunMainWindow(form);
        ADD_FAILURE() << "the loop ended without the exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "handler failed");
    }
    EXPECT_EQ(form, nullptr);
    EXPECT_FALSE(LoopRunning());
    EXPECT_FALSE(IsWindow(window));
}

TEST(Loop, AHandlersExceptionBeforeTheLoopLeavesWithoutRunningIt) {
    TWinObj* form = MakeForm(nullptr, "Loop");
    TWinObj* button = MakeButton(form, "fail");
    button->OnClick = MakeEventRef(nullptr, Fail);
    const HWND window = EnsureWindow(form);
    SendMessageA(EnsureWindow(button), BM_CLICK, 0, 0);
    bool looped = false;
    TWinObj* closing = form;
    support::TTimerSteps run({[&] { return looped = true; }}, [closing] { PostClose(closing); });

    EXPECT_THROW(RunMainWindow(form), std::runtime_error);
    EXPECT_FALSE(looped) << "the loop ran with an error waiting";
    EXPECT_EQ(form, nullptr);
    EXPECT_FALSE(IsWindow(window));
}

// The child runs a form until it ends, then exits with 3; the end of a session must end the
// process before that.
DWORD ChildExitAfter(UINT message, WPARAM wParam) {
    support::TChild child(support::ProgramFolder() + "toolkit_loop_child.exe", "");
    if (HWND form = support::WaitForTopWindow(child.Id(), "TKelvoLoopChild"))
        PostMessageA(form, message, wParam, 0);
    if (!child.Wait(10000))
        child.Kill();
    return child.ExitCode();
}

TEST(Loop, TheEndOfASessionEndsTheProcessWithoutReturning) {
    EXPECT_EQ(ChildExitAfter(WM_ENDSESSION, TRUE), 0u);
    EXPECT_EQ(ChildExitAfter(WM_CLOSE, 0), 3u);
}

} // namespace
