#pragma once
// The window messages spoken with the stations, and the trace channel: single text lines
// sent to an external trace window, when one was open at start-up.

#include <windows.h>

#include "protocol/QProtocol.h"

#include <string>

// Posts MSG to the station called NAME, or to the conductor's own window when NAME is empty.
// A window that is not found is only traced.
void SendQM(WPARAM wParam, const std::string& name, std::int32_t msg, LPARAM lParam);
// The window of the station called NAME, found as SendQM finds it; null when there is none.
HWND FindStationWindow(const std::string& name);

// Looks the trace window up; the program entry calls it once, before anything traces.
void InitTrace();

// Sends one trace line: the program title, a blank and TEXT.
void Trace(const std::string& text);
// Whether trace lines go anywhere: a caller with many lines to build can spare the work.
bool Tracing();

// The title of the program at EXEPATH in trace lines: the file name without folder, cut
// before its first ".", every character after the first in lower case.
std::string ProgramTitle(const std::string& exePath);
