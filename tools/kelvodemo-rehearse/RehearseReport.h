#pragma once
// What a rehearsal saw, and its report for the console and as JSON. Texts are cp1251.

#include <cstdint>
#include <string>
#include <vector>

// How long the panel's label named a station as awaited.
struct TStationWait {
    std::string Station;
    std::uint32_t Ms = 0;
};

// One wait of the panel: for the stations to be ready, or for a step's commands.
struct TPanelWait {
    std::uint32_t Ms = 0;
    std::vector<TStationWait> Waits; // in the order the stations were first named
    std::vector<std::string> Labels; // every text the label showed, in order
    bool TimedOut = false;
    std::vector<std::string> Silent; // the stations still awaited at the time-out
    std::string TimeOutShot;         // the screen at the time-out; empty when none was taken
};

struct TStepRecord {
    std::string Caption;           // the button's caption when the step was shown
    std::string Comment;           // the comment box's text
    std::string Screenshot;        // empty when none was taken
    std::string PressedBy;         // "input" or "BM_CLICK"; empty when not pressed
    std::vector<std::string> Sent; // the step's commands as the script writes them
    bool Failed = false;           // the rehearsal failed during this step
    TPanelWait Commands;           // from the press until the next step was shown, or the end
};

struct TStationProcess {
    std::string Name;
    std::uint32_t ProcessId = 0;
    bool Ended = false;
};

struct TRehearsalReport {
    std::string Script;
    std::string Began;                 // local date and time, "2024-03-01 14:05:09"
    std::vector<std::string> Stations; // as the script declares them
    std::size_t ScriptSteps = 0;
    TPanelWait Loading;
    std::vector<TStepRecord> Steps;
    std::vector<TStationProcess> StationProcesses; // every station window seen
    std::vector<std::string> SchemeFilesLeft;
    std::vector<std::string> FoldersLeft; // exchange folders the run left behind
    std::vector<std::string> Failures;    // empty: the rehearsal passed
    std::vector<std::string> Notes;
    std::uint32_t TotalMs = 0;

    bool Passed() const { return Failures.empty(); }
};

// The console report, UTF-8.
std::string ReportText(const TRehearsalReport& report);
// The report as one UTF-8 JSON object and a line end.
std::string ReportJson(const TRehearsalReport& report);
