#pragma once
// Window-object tests: a recorder of which toolkit hook saw which message, compared as a
// table, and a window made ready for keys.

#include "tests/support/Where.h"
#include "util/EventRef.h"

#include <gtest/gtest.h>

#include <windows.h>

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

    // Compares the recording with the expected table; a difference is reported at the caller.
    void Check(const std::vector<TSeen>& expected,
               support::TWhere where = support::TWhere::current()) const {
        if (Seen != expected)
            support::FailAt(where, "recorded " + testing::PrintToString(Seen) + "\nexpected " +
                                       testing::PrintToString(expected));
    }
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
