#pragma once
// The viewer's window, of TraceClass and titled TraceTitle. Each WM_SETTEXT it receives
// is one trace line; the lines are listed with the time they came in.

#include "TraceLog.h"

#include "os/WinHandle.h"

#include <windows.h>

// Menu and accelerator commands.
enum : WORD { cmdCopy = 101, cmdSelectAll = 102, cmdClear = 103 };

class TTraceForm {
public:
    // Registers the class and creates the (visible) window; LOG, when open, gets every line.
    // The log must outlive the form.
    TTraceForm(HINSTANCE instance, TTraceLog* log);
    TTraceForm(const TTraceForm&) = delete;
    TTraceForm& operator=(const TTraceForm&) = delete;

    // None when it could not be created, and once it is closed.
    HWND Window() const { return Window_.get(); }

    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void ApplyListFont(HWND window);

    TTraceLog* Log_;
    HWND List_ = nullptr;
    win::TFont Font_;
    win::TWindow Window_;
};

// Ctrl+C copies, Ctrl+A selects all lines.
win::TAccelerators CreateTraceAccelerators();
