#pragma once
// The windows by which the conductor, its stations and the trace viewer find each other:
// FindWindowA matches class and title without regard to case.

#include <string>

inline constexpr char ConductorClass[] = "TFormKelvoDemo"; // the control panel
inline constexpr char StationClass[] = "TFormKelvo";
inline constexpr char TraceClass[] = "TVornixTraceForm";
inline constexpr char TraceTitle[] = "QTrace";

// The product program, which the conductor starts from its own folder.
inline constexpr char ProductProgram[] = "Kelvo.exe";
// The rehearsal station's FileDescription, by which it tells itself from the product.
inline constexpr char RehearsalStationDescription[] = "Kelvo rehearsal station";

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
