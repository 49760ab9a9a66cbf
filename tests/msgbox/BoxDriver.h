#pragma once
// Runs a message box modally on the test's own thread and acts on it from inside the box's
// loop: one step per timer tick, as a user would between two looks at the screen.

#include "msgbox/QMsgBox.h"

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

// A key pressed and released, with Shift if asked, through the system's input queue, to the
// focus in WINDOW, which is brought to the front first in case a program took it meanwhile.
inline void PressKey(HWND window, WORD vk, bool shift = false) {
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
    std::vector<INPUT> inputs;
    auto key = [&](WORD code, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = code;
        in.ki.dwFlags = flags;
        inputs.push_back(in);
    };
    if (shift)
        key(VK_SHIFT, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (shift)
        key(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// BOX.Execute() with STEPS played in its loop. A step that waits in vain for 5 seconds, or a
// box that the steps leave open, is reported and the box closed.
inline std::int32_t ExecuteWith(TQMsgBox& box, std::vector<TStep> steps) {
    static struct TRun {
        TQMsgBox* Box = nullptr;
        std::vector<TStep> Steps;
        std::size_t Next = 0;
        int Ticks = 0;
    } run;
    run = TRun{&box, std::move(steps)};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        if (!run.Box || !IsWindowVisible(run.Box->MainWindow()))
            return;
        const bool done = run.Next == run.Steps.size();
        if (++run.Ticks > 250) {
            ADD_FAILURE() << (done ? "the box stayed open after the last step"
                                   : "waited in vain for " + run.Steps[run.Next].What);
            run.Next = run.Steps.size();
            PostMessageA(run.Box->MainWindow(), WM_CLOSE, 0, 0);
        } else if (!done && run.Steps[run.Next].Run(*run.Box)) {
            ++run.Next;
            run.Ticks = 0;
        }
    });
    struct TStop {
        UINT_PTR Timer;
        ~TStop() {
            KillTimer(nullptr, Timer);
            run.Box = nullptr;
        }
    } const stop{timer};
    const std::int32_t result = box.Execute();
    EXPECT_EQ(run.Next, run.Steps.size()) << "the box closed before the steps were done";
    return result;
}

} // namespace boxdriver
