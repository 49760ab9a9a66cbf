#pragma once
// The viewer's window: class "TVornixTraceForm", title "QTrace". Each WM_SETTEXT it receives
// is one trace line; the lines are listed with the time they came in.

#include "TraceLog.h"

#include <windows.h>

// Menu and accelerator commands.
enum : WORD { cmdCopy = 101, cmdSelectAll = 102, cmdClear = 103 };

// Registers the class and creates the (visible) window; LOG, when open, gets every line.
// The log must outlive the window.
HWND CreateTraceForm(HINSTANCE instance, TTraceLog* log);

// Ctrl+C copies, Ctrl+A selects all lines.
HACCEL CreateTraceAccelerators();
