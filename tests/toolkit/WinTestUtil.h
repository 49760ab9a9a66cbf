#pragma once
// Window-object tests: a recorder of which toolkit hook saw which message, compared as a
// table, keyboard input as a user types it, and scripts run inside the message loop.

#include "util/EventRef.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace wintest {

// One recorded message: what arrived, its key code for keyboard messages, and who saw it.
struct TSeen {
    UINT Message;
    WPARAM Key;
    const char* Source;
    bool operator==(const TSeen& o) const {
        return Message == o.Message && Key == o.Key && std::string(Source) == o.Source;
    }
};

inline std::ostream& operator<<(std::ostream& out, const TSeen& s) {
    return out << "{0x" << std::hex << s.Message << std::dec << ", " << s.Key << ", " << s.Source
               << "}";
}

inline bool IsKeyMessage(UINT m) {
    return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_CHAR;
}

// Records the watched messages that reach the hooks built with Hook(), in order.
struct TRecorder {
    std::vector<UINT> Watched;
    std::vector<TSeen> Seen;
    bool Recording = true;

    void Add(UINT message, WPARAM wParam, const char* source) {
        for (UINT w : Watched)
            if (Recording && w == message)
                Seen.push_back({message, IsKeyMessage(message) ? wParam : 0, source});
    }

    // An OnMessage hook that records under `source` and consumes `consume`, if any.
    struct THook {
        TRecorder* Owner;
        const char* Source;
        UINT Consume;
    };
    std::vector<std::unique_ptr<THook>> Hooks;

    static bool Proc(void* data, MSG* msg, LRESULT*) {
        auto* hook = static_cast<THook*>(data);
        hook->Owner->Add(msg->message, msg->wParam, hook->Source);
        return hook->Consume && msg->message == hook->Consume;
    }

    TEventRef Hook(const char* source, UINT consume = 0) {
        Hooks.push_back(std::make_unique<THook>(THook{this, source, consume}));
        return MakeEventRef(Hooks.back().get(), Proc);
    }
};

// Compares the recorded sequence with the expected table and reports at the caller's line.
#define EXPECT_SEQUENCE(recorder, ...)                                                             \
    EXPECT_EQ((recorder).Seen, (std::vector<::wintest::TSeen>{__VA_ARGS__}))

// Key presses as the keyboard makes them, to whatever window has the focus.
inline void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

inline void Press(WORD vk) {
    Key(vk, false);
    Key(vk, true);
}

// Steps run one after another by a timer inside the message loop under test; a step that
// returns false is tried again on the next tick. When the last step is done, or the steps
// take longer than the deadline, `finish` runs (it closes the form, which ends the loop).
class TLoopScript {
public:
    TLoopScript(std::vector<std::function<bool()>> steps, std::function<void()> finish,
                DWORD deadlineMs = 10000)
        : steps_(std::move(steps)), finish_(std::move(finish)), deadline_(deadlineMs) {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 30, &Tick);
    }
    ~TLoopScript() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    bool Completed() const { return next_ == steps_.size(); }
    std::size_t Step() const { return next_; } // the first step not done

private:
    static TLoopScript*& Current() {
        static TLoopScript* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TLoopScript* s = Current();
        if (!s || s->finished_)
            return;
        if (s->next_ < s->steps_.size() && s->steps_[s->next_]())
            ++s->next_;
        if (s->Completed() || GetTickCount() - s->start_ > s->deadline_) {
            s->finished_ = true;
            s->finish_();
        }
    }

    std::vector<std::function<bool()>> steps_;
    std::function<void()> finish_;
    DWORD deadline_;
    DWORD start_ = GetTickCount();
    std::size_t next_ = 0;
    bool finished_ = false;
    UINT_PTR timer_ = 0;
};

// A window that is shown and active, ready for keyboard input.
inline bool ReadyForKeys(HWND window) {
    if (!IsWindowVisible(window))
        return false;
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
    return GetForegroundWindow() == window;
}

} // namespace wintest
