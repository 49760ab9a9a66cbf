#pragma once
// What the files of the message box share and nobody else needs.

#include <windows.h>

#include <utility>

// The system's fonts and caption sizes.
NONCLIENTMETRICSA NonClientMetrics();

// A failure inside a window procedure must not unwind through the system's frames between
// DispatchMessage or CreateWindowEx and the procedure: it is kept, and the box's own code
// raises it again once the system has returned. Only the first failure is kept.
void KeepWindowFailure();
void RethrowWindowFailure();

// Runs a window procedure's BODY; on failure keeps it and returns ONFAILURE.
template <typename F>
LRESULT GuardWindowProc(F&& body, LRESULT onFailure) {
    try {
        return std::forward<F>(body)();
    } catch (...) {
        KeepWindowFailure();
        return onFailure;
    }
}
