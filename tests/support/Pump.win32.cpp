#include "tests/support/Pump.h"

#include <algorithm>

namespace support {
namespace {

DWORD Remaining(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

} // namespace

void FlushMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        FlushMessages();
        if (done())
            return true;
        const DWORD left = Remaining(deadline);
        if (left == 0)
            return false;
        // The condition may change without a message (another process, another thread).
        MsgWaitForMultipleObjectsEx(0, nullptr, std::min<DWORD>(left, 10), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

bool WaitPumping(HANDLE object, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &object, Remaining(deadline), QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false; // the deadline, or a handle that cannot be waited for
        FlushMessages();
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

} // namespace support
