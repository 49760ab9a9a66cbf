#pragma once
// The check of the machine a demonstration is about to run on: the script, the product beside
// the program, the temporary folder, what is already running, the code page, the screens, what
// could interrupt a step, and the file types. Each check gives one line with its state and what
// it found; nothing is started and nothing is left behind. Texts are code page 1251.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class TVenueState { Ready, Warning, Error };

struct TVenueLine {
    TVenueState State = TVenueState::Ready;
    std::string Check;                // what was checked: "Сценарий"
    std::string Found;                // what was found, in one line
    std::vector<std::string> Details; // the items behind it: each warning, monitor, window
};
using TVenueReport = std::vector<TVenueLine>;

// «готово», «внимание» or «ошибка».
const char* StateWord(TVenueState state);
bool HasError(const TVenueReport& report);

// A line for a check that the system could not answer: never a guess.
TVenueLine NotChecked(std::string check, const std::string& reason);

// One line a check, "STATE  CHECK: FOUND", with its details indented below; lines end in LF.
std::string VenueText(const TVenueReport& report);
// The same as a JSON array of {"check","state","found","details"}, in UTF-8.
std::string VenueJson(const TVenueReport& report);

struct TVenueRequest {
    std::string Script;    // the script's path, in code page 1251
    std::string Conductor; // the KelvoDemo.exe that will run it
    // The rehearsal's total time, when a rehearsal report was given: the interruptions are
    // measured against it rather than against half an hour.
    std::optional<std::uint32_t> RehearsalSeconds;
};

#ifdef _WIN32
// Runs every check.
TVenueReport CheckVenue(const TVenueRequest& request);
#endif
