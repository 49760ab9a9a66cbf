// The order in which a message meets an object's handlers, recorded and compared as tables:
// the main window's hook, the object's own hook, the form procedures, the standard cases.

#include "tests/support/TimerSteps.h"
#include "tests/toolkit/WinTestUtil.h"
#include "toolkit/WinLoop.h"

#include <gtest/gtest.h>

namespace {

using wintest::SeenBy;

constexpr UINT Click = WM_APP;     // recorded by OnClick
constexpr UINT Reflected = 0xB005; // a control's own WM_COMMAND

void RecordClick(void* data, TWinObj*) {
    static_cast<support::TMsgLog*>(data)->Add(nullptr, Click, support::Hook, 0, 0, "click");
}

class Dispatch : public ::testing::Test {
protected:
    wintest::THookLog rec;
    TWinObj* form = MakeForm(nullptr, "Dispatch");
    TWinObj* button = MakeButton(form, "OK");

    void SetUp() override {
        form->OnMessage = rec.Hook("main");
        button->OnMessage = rec.Hook("button");
        button->OnClick = MakeEventRef(&rec.Log, RecordClick);
        SetMainWindow(form);
    }
    void TearDown() override {
        SetMainWindow(nullptr);
        FreeObj(form); // null once a loop has run
    }

    // Runs the loop with `steps`, each of them run once inside it, and closes the form.
    void InLoop(std::vector<std::function<void()>> steps) {
        std::vector<support::TTimerSteps::TStep> script{
            [this] { return IsWindowVisible(form->Window) != FALSE; }};
        for (auto& step : steps)
            script.push_back([step] { return step(), true; });
        TWinObj* closing = form;
        support::TTimerSteps run(script, [closing] { PostClose(closing); });
        RunMainWindow(form);
        EXPECT_TRUE(run.Completed());
    }

    // Compares what the hooks saw with SEEN; a difference is reported at the caller.
    void Expect(const std::vector<support::TMsg>& seen,
                support::TWhere where = support::TWhere::current()) {
        rec.Log.Check(seen, "what the hooks saw", where);
    }

    void ExpectEnterPressesTheButton();
};

TEST_F(Dispatch, TheMainHookSeesControlsOnlyWhileTheLoopRuns) {
    rec.Log.RecordOnly({BM_CLICK, WM_COMMAND, Reflected, Click});
    ASSERT_TRUE(EnsureWindow(form));
    SendMessageA(button->Window, BM_CLICK, 0, 0);
    Expect({SeenBy("button", BM_CLICK), SeenBy("main", WM_COMMAND), SeenBy("button", Reflected),
            SeenBy("click", Click)});

    InLoop({[&] {
        rec.Log.Clear();
        SendMessageA(button->Window, BM_CLICK, 0, 0);
        Expect({SeenBy("main", BM_CLICK), SeenBy("button", BM_CLICK), SeenBy("main", WM_COMMAND),
                SeenBy("main", Reflected), SeenBy("button", Reflected), SeenBy("click", Click)});
    }});
}

TEST_F(Dispatch, HooksComeBeforeTheFormProceduresAndTheStandardCases) {
    InLoop({[&] {
        // The form's focus goes on to its current control.
        rec.Log.RecordOnly({WM_SETFOCUS});
        rec.Log.Clear();
        SetFocus(form->Window);
        Expect({SeenBy("main", WM_SETFOCUS), SeenBy("main", WM_SETFOCUS),
                SeenBy("button", WM_SETFOCUS)});
        EXPECT_EQ(GetFocus(), button->Window);

        // A hook that consumes ends the message there.
        form->OnMessage = rec.Hook("main", WM_SETFOCUS);
        button->OnMessage = rec.Hook("button", BM_CLICK);
        rec.Log.RecordOnly({WM_SETFOCUS, BM_CLICK, WM_COMMAND, Click});
        rec.Log.Clear();
        SetFocus(form->Window);
        SendMessageA(button->Window, BM_CLICK, 0, 0);
        Expect({SeenBy("main", WM_SETFOCUS), SeenBy("main", BM_CLICK), SeenBy("button", BM_CLICK)});
        EXPECT_EQ(GetFocus(), form->Window);
        form->OnMessage = rec.Hook("main");
    }});
}

// Enter, sent to the main form, reaches the default button as the space bar.
void Dispatch::ExpectEnterPressesTheButton() {
    SetKeyButton(button, bkEnter, true);
    rec.Log.RecordOnly({WM_KEYDOWN, WM_KEYUP, Click});
    InLoop({[&] {
        rec.Log.Clear();
        SendMessageA(form->Window, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        SendMessageA(form->Window, WM_KEYUP, VK_RETURN, 0xC01C0001);
        Expect({SeenBy("main", WM_KEYDOWN, VK_RETURN), SeenBy("main", WM_KEYDOWN, VK_SPACE),
                SeenBy("button", WM_KEYDOWN, VK_SPACE), SeenBy("main", WM_KEYUP, VK_RETURN),
                SeenBy("main", WM_KEYUP, VK_SPACE), SeenBy("button", WM_KEYUP, VK_SPACE),
                SeenBy("click", Click)});
    }});
}

TEST_F(Dispatch, TheKeyFilterPressesTheDefaultButtonAsTheSpaceBar) {
    ExpectEnterPressesTheButton();
}

// Run after the one above: the filter of a released main window is not the new one's.
TEST_F(Dispatch, EveryNewMainWindowGetsTheKeyFilter) {
    ExpectEnterPressesTheButton();
}

} // namespace
