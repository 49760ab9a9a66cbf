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

// One action on the open box. It returns false to be run again on the next tick, to wait for
// something to happen.
struct TStep {
    std::string What;
    std::function<bool(TQMsgBox&)> Run;
};

// A step that waits until WHAT holds.
inline TStep WaitFor(std::string what, std::function<bool(TQMsgBox&)> holds) {
    return {std::move(what), std::move(holds)};
}

// A step that acts once.
inline TStep Do(std::function<void(TQMsgBox&)> act) {
    return {"", [act = std::move(act)](TQMsgBox& box) {
                act(box);
                return true;
            }};
}

// A key pressed and released, with Shift held if asked, through the system's input queue:
// it reaches whichever window has the keyboard focus. WINDOW is brought to the front first,
// in case a program started meanwhile took it.
inline void PressKey(HWND window, WORD vk, bool shift = false) {
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
    std::vector<INPUT> inputs;
    auto key = [&](WORD code, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = code;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (shift)
        key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift)
        key(VK_SHIFT, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class TBoxRun {
public:
    static constexpr int kTickMs = 20;
    static constexpr int kTicksPerStep = 250; // 5 seconds

    TBoxRun(TQMsgBox& box, std::vector<TStep> steps) : Box_(box), Steps_(std::move(steps)) {
        Current() = this;
        Timer_ = SetTimer(nullptr, 0, kTickMs, &Tick);
    }
    TBoxRun(const TBoxRun&) = delete;
    TBoxRun& operator=(const TBoxRun&) = delete;
    ~TBoxRun() {
        KillTimer(nullptr, Timer_);
        Current() = nullptr;
    }

    // Whether every step ran before the box closed.
    bool Finished() const { return Next_ == Steps_.size(); }

private:
    static TBoxRun*& Current() {
        static TBoxRun* run = nullptr;
        return run;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TBoxRun* run = Current();
        if (!run || !run->Box_.MainWindow() || !IsWindowVisible(run->Box_.MainWindow()))
            return;
        run->Step();
    }

    void Step() {
        if (++Ticks_ > kTicksPerStep) {
            ADD_FAILURE() << (Finished() ? "the box stayed open after the last step"
                                         : "waited in vain for " + Steps_[Next_].What);
            Next_ = Steps_.size();
            PostMessageA(Box_.MainWindow(), WM_CLOSE, 0, 0);
            return;
        }
        if (!Finished() && Steps_[Next_].Run(Box_)) {
            ++Next_;
            Ticks_ = 0;
        }
    }

    TQMsgBox& Box_;
    std::vector<TStep> Steps_;
    std::size_t Next_ = 0;
    int Ticks_ = 0;
    UINT_PTR Timer_ = 0;
};

// BOX.Execute() with STEPS played in its loop. A box that the steps leave open is closed and
// reported.
inline std::int32_t ExecuteWith(TQMsgBox& box, std::vector<TStep> steps) {
    TBoxRun run(box, std::move(steps));
    const std::int32_t result = box.Execute();
    EXPECT_TRUE(run.Finished()) << "the box closed before the steps were done";
    return result;
}

// A step that closes the box as its close box does.
inline TStep Close() {
    return Do([](TQMsgBox& box) { PostMessageA(box.MainWindow(), WM_CLOSE, 0, 0); });
}

} // namespace boxdriver
