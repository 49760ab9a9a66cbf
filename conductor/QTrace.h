#pragma once
// The window messages spoken with the stations, and the trace channel: single text lines
// sent to an external trace window, when one was open at start-up.

#include <windows.h>

#include <string>

// Message codes, in the user range of window messages.
inline constexpr UINT QM_OK = 1025;           // station -> conductor: ready, or command done
inline constexpr UINT QM_REFRESH = 1026;      // ".Refresh"
inline constexpr UINT QM_SYNC = 1027;         // ".Sync"
inline constexpr UINT QM_NEXT = 1028;         // ".Next"
inline constexpr UINT QM_SEND = 1029;         // ".SendTo": never posted, the conductor copies
inline constexpr UINT QM_QUIT = 1030;         // end of the demonstration, no answer
inline constexpr UINT QM_FORCEOK = 1031;      // ".ForceOk"
inline constexpr UINT QM_COMPAREBYCRC = 1032; // ".CompareByCRC"

// Posts MSG to the station called NAME, or to the conductor's own window when NAME is empty.
// A window that is not found is only traced.
void SendQM(WPARAM wParam, const std::string& name, UINT msg, LPARAM lParam);

// The symbolic name of a message code for trace lines.
std::string QMName(UINT code);

// Looks the trace window up; the program entry calls it once, before anything traces.
void InitTrace();

// Sends one trace line: the program title, a blank and TEXT.
void Trace(const std::string& text);

// The title of the program at EXEPATH in trace lines: the file name without folder, cut
// before its first ".", every character after the first in lower case.
std::string ProgramTitle(const std::string& exePath);
