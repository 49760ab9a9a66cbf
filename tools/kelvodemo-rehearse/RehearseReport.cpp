#include "RehearseReport.h"

#include "os/Cp1251.h"
#include "util/JsonText.h"

namespace {

std::string Utf8(const std::string& text) {
    return cp1251::ToUtf8(text);
}

std::string Seconds(std::uint32_t ms) {
    std::string text = std::to_string(ms / 1000) + ".";
    const std::uint32_t hundredths = ms % 1000 / 10;
    return text + (hundredths < 10 ? "0" : "") + std::to_string(hundredths) + " s";
}

std::string WaitText(const TPanelWait& wait) {
    std::string text = Seconds(wait.Ms);
    for (std::size_t i = 0; i < wait.Waits.size(); ++i) {
        text += i == 0 ? ", waited for " : ", ";
        text += Utf8(wait.Waits[i].Station) + " " + Seconds(wait.Waits[i].Ms);
    }
    return text;
}

std::string StepText(std::size_t index, const TStepRecord& step) {
    std::string text = "step " + std::to_string(index + 1) + " \"" + Utf8(step.Caption) + "\"";
    if (step.PressedBy.empty())
        return text + ": not pressed\n";
    text += " pressed (" + step.PressedBy + "): " + WaitText(step.Commands);
    if (!step.Screenshot.empty())
        text += "; screenshot " + Utf8(step.Screenshot);
    return text + "\n";
}

std::string JsonText(const std::string& text) {
    return JsonString(Utf8(text));
}

// ITEMS as a JSON array, each written by ITEMJSON.
template <typename T, typename F>
std::string JsonArray(const std::vector<T>& items, F itemJson) {
    std::string json = "[";
    for (const T& item : items) {
        if (json.size() > 1)
            json += ',';
        json += itemJson(item);
    }
    return json + "]";
}

std::string JsonTexts(const std::vector<std::string>& texts) {
    return JsonArray(texts, JsonText);
}

std::string StationWaitJson(const TStationWait& wait) {
    return "{\"station\":" + JsonText(wait.Station) + ",\"ms\":" + std::to_string(wait.Ms) + "}";
}

std::string WaitJson(const TPanelWait& wait) {
    return "{\"ms\":" + std::to_string(wait.Ms) +
           ",\"waits\":" + JsonArray(wait.Waits, StationWaitJson) +
           ",\"labels\":" + JsonTexts(wait.Labels) + "}";
}

std::string StepJson(const TStepRecord& step) {
    return "{\"caption\":" + JsonText(step.Caption) + ",\"comment\":" + JsonText(step.Comment) +
           ",\"screenshot\":" + JsonText(step.Screenshot) +
           ",\"pressedBy\":" + JsonText(step.PressedBy) +
           ",\"commands\":" + WaitJson(step.Commands) + "}";
}

std::string ProcessJson(const TStationProcess& station) {
    return "{\"name\":" + JsonText(station.Name) + ",\"pid\":" + std::to_string(station.ProcessId) +
           ",\"ended\":" + (station.Ended ? "true" : "false") + "}";
}

} // namespace

std::string ReportText(const TRehearsalReport& report) {
    std::string text = "Rehearsal of " + Utf8(report.Script) + ": " +
                       std::to_string(report.Stations.size()) + " stations, " +
                       std::to_string(report.ScriptSteps) + " steps\n";
    text += "loading: " + WaitText(report.Loading) + "\n";
    for (std::size_t i = 0; i < report.Steps.size(); ++i)
        text += StepText(i, report.Steps[i]);
    for (const std::string& note : report.Notes)
        text += "note: " + Utf8(note) + "\n";
    for (const std::string& failure : report.Failures)
        text += "failure: " + Utf8(failure) + "\n";
    text += (report.Passed() ? "PASSED" : "FAILED") + std::string(" in ") +
            Seconds(report.TotalMs) + "\n";
    return text;
}

std::string ReportJson(const TRehearsalReport& report) {
    std::string json = "{\"script\":" + JsonText(report.Script) +
                       ",\"passed\":" + (report.Passed() ? "true" : "false") +
                       ",\"failures\":" + JsonTexts(report.Failures) +
                       ",\"notes\":" + JsonTexts(report.Notes) +
                       ",\"stations\":" + JsonTexts(report.Stations) +
                       ",\"scriptSteps\":" + std::to_string(report.ScriptSteps) +
                       ",\"loading\":" + WaitJson(report.Loading) +
                       ",\"steps\":" + JsonArray(report.Steps, StepJson) +
                       ",\"stationProcesses\":" + JsonArray(report.StationProcesses, ProcessJson);
    return json + ",\"schemeFilesLeft\":" + JsonTexts(report.SchemeFilesLeft) +
           ",\"foldersLeft\":" + JsonTexts(report.FoldersLeft) +
           ",\"totalMs\":" + std::to_string(report.TotalMs) + "}\n";
}
