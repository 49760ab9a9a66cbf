#pragma once
// The windows by which the conductor, its stations and the trace viewer find each other:
// FindWindowA matches class and title without regard to case.

#include <string>

inline constexpr char ConductorClass[] = "TFormKelvoDemo"; // the control panel
inline constexpr char StationClass[] = "TFormKelvo";
inline constexpr char TraceClass[] = "TVornixTraceForm";
inline constexpr char TraceTitle[] = "QTrace";

// Held by the running demonstration, in the session's own namespace: another user's
// demonstration on the same machine is no concern of this one.
inline constexpr char DemonstrationMutex[] = "Local\\KelvoDemo.Demonstration";

// A station titles its window with its scheme file's name, which is the station name with
// this extension.
inline constexpr char SchemeExtension[] = ".kelvo";

// The title of the window of the station called NAME, and the name of its scheme file.
inline std::string StationTitle(const std::string& name) {
    return name + SchemeExtension;
}

// The dyed message box's windows, which the tests and the benchmark find from outside. The
// text window's title is its class name.
inline constexpr char BoxClass[] = "QMsgBoxMainWindow";
inline constexpr char BoxTextClass[] = "QMsgBoxTextWindow";

// Where the windows lie: the work area's height is shared in twentieths, the stations' windows
// taking its top StationTwentieths and the control panel the rest, below them.
inline constexpr int WorkAreaTwentieths = 20;
inline constexpr int StationTwentieths = 12;
