#pragma once
// The display scale. Every pixel figure of the program's layout is one at 96 dots per inch,
// scaled by the dots per inch of the window it belongs to.

#include <windows.h>

namespace win {

inline constexpr UINT BaseDpi = 96;

// The dots per inch of WINDOW's monitor (GetDpiForWindow, from Windows 10 1607 on); before
// that, or without a window, the system's (LOGPIXELSY of the screen).
UINT DpiOf(HWND window);

// FIGURE, given at 96 dots per inch, at DPI: rounded as MulDiv rounds.
inline int Scaled(int figure, UINT dpi) {
    return MulDiv(figure, static_cast<int>(dpi), static_cast<int>(BaseDpi));
}

// GetSystemMetricsForDpi where the system has it, else the system's own figure.
int SystemMetricForDpi(int index, UINT dpi);

// The frame around a client area of a window without a menu, at DPI
// (AdjustWindowRectExForDpi where the system has it): negative left and top.
RECT FrameForDpi(DWORD style, DWORD exStyle, UINT dpi);

// The scale chosen for MONITOR (GetDpiForMonitor, from Windows 8.1 on); before that the
// system's.
UINT MonitorDpi(HMONITOR monitor);

} // namespace win
