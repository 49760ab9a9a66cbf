#pragma once
// The windows by which the conductor, its stations and the trace viewer find each other:
// FindWindowA matches class and title without regard to case.

#include <string>

inline constexpr char ConductorClass[] = "TFormKelvoDemo"; // the control panel
inline constexpr char StationClass[] = "TFormKelvo";
inline constexpr char TraceClass[] = "TVornixTraceForm";
inline constexpr char TraceTitle[] = "QTrace";

// A station titles its window with its scheme file's name, which is the station name with
// this extension.
inline constexpr char SchemeExtension[] = ".kelvo";

// The title of the window of the station called NAME, and the name of its scheme file.
inline std::string StationTitle(const std::string& name) {
    return name + SchemeExtension;
}
