#pragma once
// Window-object tests: the toolkit's message hooks recording into a support::TMsgLog, each
// under its own name, so that a table can say which hook saw a message; and a window made
// ready for keys.

#include "tests/support/MsgSequence.h"
#include "util/EventRef.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace wintest {

// OnMessage hooks that record what reaches them into Log, marked Hook and named by the hook.
class THookLog {
public:
    // A hook that records under SOURCE and consumes CONSUME, if any.
    TEventRef Hook(const char* source, UINT consume = 0) {
        hooks_.push_back(std::make_unique<THook>(THook{&Log, source, consume}));
        return MakeEventRef(hooks_.back().get(), Proc);
    }

    support::TMsgLog Log;

private:
    struct THook {
        support::TMsgLog* Log;
        const char* Source;
        UINT Consume;
    };

    static bool Proc(void* data, MSG* msg, LRESULT*) {
        auto* hook = static_cast<THook*>(data);
        hook->Log->Add(msg->hwnd, msg->message, support::Hook, msg->wParam, msg->lParam,
                       hook->Source);
        return hook->Consume && msg->message == hook->Consume;
    }

    std::vector<std::unique_ptr<THook>> hooks_;
};

// What the hook SOURCE is expected to have seen: MESSAGE, with KEY as its wParam for a
// keyboard message.
inline support::TMsg SeenBy(const char* source, UINT message, WPARAM key = 0) {
    return {message, support::Hook | (key ? support::WParam : 0u), key, 0, source};
}

// A window that is shown and active, ready for keyboard input.
inline bool ReadyForKeys(HWND window) {
    if (!IsWindowVisible(window))
        return false;
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
    return GetForegroundWindow() == window;
}

} // namespace wintest
