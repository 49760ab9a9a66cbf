#pragma once
// Runs a message box modally on the test's own thread and acts on it from inside the box's
// loop: one step per timer tick, as a user would between two looks at the screen.

#include "msgbox/QMsgBox.h"
#include "tests/support/TimerSteps.h"
#include "tests/support/Where.h"
#include "tools/panelprobe/Press.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace boxdriver {

// One action on the open box; it returns false to be run again on the next tick.
struct TStep {
    std::string What; // what it waits for
    std::function<bool(TQMsgBox&)> Run;
};

inline TStep WaitFor(std::string what, std::function<bool(TQMsgBox&)> holds) {
    return {std::move(what), std::move(holds)};
}

inline TStep Do(std::function<void(TQMsgBox&)> act) {
    return {"", [act = std::move(act)](TQMsgBox& box) {
                act(box);
                return true;
            }};
}

// Closes the box as its close box does.
inline TStep Close() {
    return Do([](TQMsgBox& box) { PostMessageA(box.MainWindow(), WM_CLOSE, 0, 0); });
}

// A key pressed and released, with Shift if asked, to the focus in WINDOW, which is brought
// to the front first in case a program took it meanwhile.
inline void PressKey(HWND window, WORD vk, bool shift = false) {
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
    ::PressKey(vk, shift);
}

// BOX.Execute() with STEPS played in its loop. A step that waits in vain for 5 seconds, or a
// box that the steps leave open, is reported at the caller and the box closed.
inline std::int32_t ExecuteWith(TQMsgBox& box, std::vector<TStep> steps,
                                support::TWhere where = support::TWhere::current()) {
    auto shown = [&box] { return IsWindowVisible(box.MainWindow()) != FALSE; };
    std::vector<support::TTimerSteps::TStep> script{{shown, "the box"}};
    for (TStep& step : steps)
        script.push_back({[&box, run = std::move(step.Run)] { return run(box); }, step.What});
    const std::size_t played = script.size();
    script.push_back({[&] { return !shown(); }, "the box to close after the last step"});
    const support::TTimerSteps* timed = nullptr;
    const support::TTimerSteps run(
        std::move(script),
        [&] {
            if (!timed->TimedOut())
                return;
            support::FailAt(where, "waited in vain for " + timed->Waiting());
            PostMessageA(box.MainWindow(), WM_CLOSE, 0, 0);
        },
        5000, 20);
    timed = &run;
    const std::int32_t result = box.Execute();
    if (run.Step() < played && !run.TimedOut())
        support::FailAt(where, "the box closed before the steps were done");
    return result;
}

} // namespace boxdriver
