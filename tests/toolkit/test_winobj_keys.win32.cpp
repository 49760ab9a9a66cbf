// The keyboard on a running form, typed as a user types: Tab and Shift+Tab walk the controls
// in creation order, Enter presses the default button, Esc the cancel button.

#include "tests/support/TimerSteps.h"
#include "tests/toolkit/WinTestUtil.h"
#include "toolkit/WinLoop.h"
#include "tools/panelprobe/Press.h"

#include <gtest/gtest.h>

namespace {

void RecordClick(void* data, TWinObj* sender) {
    static_cast<std::vector<std::string>*>(data)->push_back(sender->Caption);
}

// A disabled button still reports a click for a space that it is sent: the press's own check
// keeps a key from pressing it.
TEST(Keys, AKeyNeverPressesADisabledButton) {
    std::vector<std::string> clicks;
    TWinObj* form = MakeForm(nullptr, "Keys");
    SetMainWindow(form);
    TWinObj* button = MakeButton(form, "b");
    button->OnClick = MakeEventRef(&clicks, RecordClick);
    ShowObjWindow(form);
    const MSG down{button->Window, WM_KEYDOWN, VK_NEXT, 0x00510001, 0, {}};
    const MSG up{button->Window, WM_KEYUP, VK_NEXT, static_cast<LPARAM>(0xC0510001), 0, {}};
    SetEnabled(button, false);
    EXPECT_FALSE(PressWithKey(button, down));
    EXPECT_FALSE(PressWithKey(button, up));
    EXPECT_TRUE(clicks.empty()) << "the disabled button was pressed";
    SetEnabled(button, true);
    EXPECT_TRUE(PressWithKey(button, down));
    EXPECT_TRUE(PressWithKey(button, up));
    EXPECT_EQ(clicks, std::vector<std::string>{"b"});
    SetMainWindow(nullptr);
    FreeObj(form);
}

TEST(Keys, TabEnterAndEscOnARunningForm) {
    std::vector<std::string> clicks;
    int boxText = 0;
    TWinObj* form = EnableTabKeys(MakeForm(nullptr, "Keys"));
    SetBounds(form, {100, 100, 500, 400});
    SetMainWindow(form);
    TWinObj* ok = MakeButton(form, "ok");
    TWinObj* cancel = MakeButton(form, "cancel");
    TWinObj* box = MakeRichEdit(form, roWrapLines | roWantReturn);
    TWinObj* other = MakeButton(form, "other");
    MakeLabel(form, "no tab stop");
    SetTop(cancel, 40);
    SetTop(box, 80);
    SetTop(other, 300);
    for (TWinObj* b : {ok, cancel, other})
        b->OnClick = MakeEventRef(&clicks, RecordClick);
    SetKeyButton(ok, bkEnter, true);
    SetKeyButton(cancel, bkEscape, true);

    auto focusOn = [](TWinObj* obj) { return [obj] { return GetFocus() == obj->Window; }; };
    auto key = [](WORD vk) { return [=] { return PressKey(vk), true; }; };
    // Shift is read as the keyboard holds it, so it stays down until the focus has moved.
    auto shiftTab = [] { return SendKey(VK_SHIFT, false), PressKey(VK_TAB), true; };
    auto shiftUp = [] { return SendKey(VK_SHIFT, true), true; };
    auto clicked = [&](std::vector<std::string> expected) {
        return [&clicks, expected] { return clicks == expected; };
    };
    const std::vector<support::TTimerSteps::TStep> steps{
        [form] { return wintest::ReadyForKeys(form->Window); },
        focusOn(ok),
        key(VK_TAB),
        focusOn(cancel),
        key(VK_TAB),
        focusOn(box),
        key(VK_TAB),
        focusOn(other),
        key(VK_TAB),
        focusOn(ok), // wraps at the end
        shiftTab,
        focusOn(other),
        shiftUp,
        // Enter on another button presses the default one and moves the focus there.
        key(VK_RETURN),
        clicked({"ok"}),
        focusOn(ok),
        shiftTab,
        focusOn(other),
        shiftUp,
        // A disabled default button is not pressed; Esc shows that Enter has been handled.
        [ok] { return SetEnabled(ok, false), PressKey(VK_RETURN), PressKey(VK_ESCAPE), true; },
        clicked({"ok", "cancel"}),
        focusOn(cancel),
        [ok] { return SetEnabled(ok, true), PressKey(VK_TAB), true; },
        focusOn(box),
        // The rich text box keeps Enter.
        key(VK_RETURN),
        key(VK_ESCAPE),
        clicked({"ok", "cancel", "cancel"}),
        [&] { return boxText = GetWindowTextLengthA(box->Window), true; },
    };
    TWinObj* closing = form;
    support::TTimerSteps run(
        steps, [closing] { SendKey(VK_SHIFT, true), PostClose(closing); }, 20000);
    RunMainWindow(form);

    EXPECT_TRUE(run.Completed()) << "stopped at step " << run.Step();
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel", "cancel"}));
    EXPECT_GT(boxText, 0) << "Enter did not reach the rich text box";
}

} // namespace
