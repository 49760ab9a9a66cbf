#include "conductor/QDemoSession.h"

#include "protocol/QWindowNames.h"
#include "toolkit/MessageBox.h"

TDemoSession::TDemoSession() : mutex_(CreateMutexA(nullptr, FALSE, DemonstrationMutex)) {
    const DWORD error = GetLastError();
    // A mutex that cannot be made at all leaves the session unguarded rather than the
    // presenter without a demonstration; one that exists, or that this user may not open,
    // belongs to another run.
    claimed_ = mutex_ ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
    if (!claimed_)
        mutex_.reset();
}

namespace {

void BringToFront(HWND panel) {
    if (!panel)
        return;
    if (IsIconic(panel))
        ShowWindow(panel, SW_RESTORE);
    SetForegroundWindow(panel);
}

} // namespace

void ShowRunningDemo() {
    HWND panel = FindWindowA(ConductorClass, nullptr);
    BringToFront(panel);
    ShowOkMessage("Демонстрация уже идет");
    // The closed box hands the focus back to whichever window had it before; the presenter
    // is to land on the panel.
    BringToFront(panel);
}
