#pragma once
// Waits that keep this thread's windows alive: they dispatch its messages while they wait,
// so that a window of the test answers what is sent to it, and they end as soon as what they
// wait for has happened instead of after a fixed sleep.

#include <windows.h>

#include <functional>

namespace support {

// Dispatches every message waiting for this thread, sent or posted, until none is left.
void FlushMessages();

// Dispatches this thread's messages until `done()` holds, asked after every batch of
// messages and at least every 10 ms; false when it still does not hold after `timeoutMs`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Dispatches this thread's messages until `object` (a process, thread, event...) is
// signalled; false when it is not after `timeoutMs`.
bool WaitPumping(HANDLE object, DWORD timeoutMs);

// Dispatches this thread's messages for `ms` milliseconds, for a test that shows that
// nothing more arrives.
void PumpFor(DWORD ms);

} // namespace support
