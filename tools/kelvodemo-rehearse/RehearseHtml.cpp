#include "RehearseHtml.h"

#include "os/Cp1251.h"
#include "util/TextUtils.h"

#include <algorithm>

namespace {

// Every station gets its colour in the timeline and in the step's list of waits.
constexpr const char* StationColours[] = {"#1f77b4", "#e8730c", "#2ca02c",
                                          "#9467bd", "#c2185b", "#00838f"};

const char* Style() {
    return R"(
:root { --ink: #1d2430; --muted: #5d6778; --line: #d8dde6; --paper: #fff; --ground: #f3f5f8;
        --ok: #1b7f3b; --bad: #c62828; --bad-ground: #fdecea; --bar: #8fa3bf; }
* { box-sizing: border-box; }
body { margin: 0; background: var(--ground); color: var(--ink);
       font: 15px/1.45 system-ui, "Segoe UI", "DejaVu Sans", sans-serif; }
main { max-width: 1100px; margin: 0 auto; padding: 24px; }
h1 { font-size: 26px; margin: 0 0 4px; }
h2 { font-size: 19px; margin: 28px 0 10px; }
h3 { font-size: 17px; margin: 0 0 6px; }
h4 { font-size: 13px; margin: 12px 0 4px; color: var(--muted); text-transform: uppercase;
     letter-spacing: .04em; }
header { background: var(--paper); border: 1px solid var(--line); border-left: 8px solid var(--ok);
         border-radius: 6px; padding: 16px 20px; }
header.failed { border-left-color: var(--bad); }
.facts { display: flex; flex-wrap: wrap; gap: 6px 28px; margin: 8px 0 0; }
.facts div { display: flex; gap: 6px; }
.facts dt { color: var(--muted); }
.facts dd { margin: 0; font-weight: 600; }
.result-passed { color: var(--ok); }
.result-failed { color: var(--bad); }
ul.failures { color: var(--bad); margin: 10px 0 0; padding-left: 20px; }
ul.notes { color: var(--muted); margin: 6px 0 0; padding-left: 20px; }
.timeline { background: var(--paper); border: 1px solid var(--line); border-radius: 6px;
            padding: 12px 16px; }
.row { display: grid; grid-template-columns: 90px 1fr 70px; align-items: center; gap: 10px;
       padding: 4px 0; }
.row + .row { border-top: 1px dashed var(--line); }
.row a { color: inherit; text-decoration: none; font-weight: 600; }
.row.failed a, .row.failed .time { color: var(--bad); }
.track { position: relative; }
.bar { height: 14px; border-radius: 3px; background: var(--bar); min-width: 2px; }
.failed .bar { background: var(--bad); }
.wait { height: 5px; margin-top: 2px; border-radius: 2px; min-width: 2px; }
.time { text-align: right; font-variant-numeric: tabular-nums; color: var(--muted); }
.legend { display: flex; flex-wrap: wrap; gap: 4px 16px; margin-top: 8px; color: var(--muted);
          font-size: 13px; }
.swatch { display: inline-block; width: 12px; height: 12px; border-radius: 2px;
          vertical-align: -1px; margin-right: 4px; }
.step { display: grid; grid-template-columns: 1fr 360px; gap: 20px; background: var(--paper);
        border: 1px solid var(--line); border-radius: 6px; padding: 16px 20px; margin: 14px 0; }
.step.failed { border: 2px solid var(--bad); background: var(--bad-ground); }
.step.failed h3 { color: var(--bad); }
.caption { font-weight: 400; color: var(--muted); }
.comment { margin: 0; white-space: pre-line; }
.commands { margin: 0; padding: 0; list-style: none; display: flex; flex-wrap: wrap; gap: 4px; }
code { font: 13px/1.4 "DejaVu Sans Mono", Consolas, monospace; background: var(--ground);
       border: 1px solid var(--line); border-radius: 3px; padding: 1px 5px; }
table { border-collapse: collapse; }
td { padding: 1px 14px 1px 0; font-variant-numeric: tabular-nums; }
.silent { color: var(--bad); font-weight: 600; }
figure { margin: 0; }
figure img { width: 100%; height: auto; border: 1px solid var(--line); border-radius: 3px;
             display: block; }
figcaption { font-size: 12px; color: var(--muted); margin-top: 3px; }
.none { color: var(--muted); }
@media (max-width: 760px) { .step { grid-template-columns: 1fr; } }
@media print {
  body { background: #fff; font-size: 11pt; }
  main { max-width: none; padding: 0; }
  header, .timeline, .step { border-radius: 0; }
  * { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
  .step { break-inside: avoid; grid-template-columns: 1fr 45%; }
  h2 { break-after: avoid; }
  a { color: inherit; text-decoration: none; }
}
)";
}

std::string Escaped(const std::string& cp1251Text) {
    std::string html;
    for (char c : cp1251::ToUtf8(cp1251Text)) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\'':
            html += "&#39;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

// The page lies beside the screenshots: a picture is linked by its file name. The paths are
// given on either system, with either system's separator.
std::string FileName(const std::string& path) {
    return FileNamePart(path, "\\/");
}

std::string Seconds(std::uint32_t ms) {
    const std::uint32_t hundredths = ms % 1000 / 10;
    return std::to_string(ms / 1000) + "." + (hundredths < 10 ? "0" : "") +
           std::to_string(hundredths) + " s";
}

std::string Percent(std::uint32_t part, std::uint32_t whole) {
    const std::uint64_t permille = whole == 0 ? 0 : part * 1000ull / whole;
    return std::to_string(permille / 10) + "." + std::to_string(permille % 10) + "%";
}

std::size_t StationIndex(const TRehearsalReport& report, const std::string& name) {
    const auto found = std::find(report.Stations.begin(), report.Stations.end(), name);
    return static_cast<std::size_t>(found - report.Stations.begin());
}

const char* ColourOf(const TRehearsalReport& report, const std::string& station) {
    return StationColours[StationIndex(report, station) % std::size(StationColours)];
}

std::string List(const std::vector<std::string>& items, const char* cssClass) {
    if (items.empty())
        return {};
    std::string html = "<ul class=\"" + std::string(cssClass) + "\">";
    for (const std::string& item : items)
        html += "<li>" + Escaped(item) + "</li>";
    return html + "</ul>\n";
}

std::string Fact(const std::string& name, const std::string& valueHtml) {
    return "<div><dt>" + name + "</dt><dd>" + valueHtml + "</dd></div>";
}

std::string Header(const TRehearsalReport& report) {
    const char* result = report.Passed() ? "passed" : "failed";
    std::string stations;
    for (const std::string& name : report.Stations)
        stations += (stations.empty() ? "" : ", ") + Escaped(name);
    return std::string("<header class=\"") + result + "\">\n<h1>Rehearsal of " +
           Escaped(FileName(report.Script)) + "</h1>\n<dl class=\"facts\">" +
           Fact("Date", Escaped(report.Began)) + Fact("Total time", Seconds(report.TotalMs)) +
           Fact("Result", std::string("<span class=\"result-") + result + "\">" +
                              (report.Passed() ? "PASSED" : "FAILED") + "</span>") +
           Fact("Steps",
                std::to_string(report.Steps.size()) + " of " + std::to_string(report.ScriptSteps)) +
           Fact("Stations", stations) + "</dl>\n" + List(report.Failures, "failures") +
           List(report.Notes, "notes") + "</header>\n";
}

std::string TimelineRow(const TRehearsalReport& report, const std::string& label,
                        const std::string& anchor, const TPanelWait& wait, bool failed,
                        std::uint32_t longest) {
    std::string html =
        std::string("<div class=\"row") + (failed ? " failed" : "") + "\"><a href=\"#" + anchor +
        "\">" + label +
        "</a><div class=\"track\"><div class=\"bar\" style=\"width:" + Percent(wait.Ms, longest) +
        "\"></div>";
    for (const TStationWait& station : wait.Waits)
        html += "<div class=\"wait\" title=\"" + Escaped(station.Station) + " " +
                Seconds(station.Ms) + "\" style=\"width:" + Percent(station.Ms, longest) +
                ";background:" + ColourOf(report, station.Station) + "\"></div>";
    return html + "</div><span class=\"time\">" + Seconds(wait.Ms) + "</span></div>\n";
}

std::string Timeline(const TRehearsalReport& report) {
    std::uint32_t longest = report.Loading.Ms;
    for (const TStepRecord& step : report.Steps)
        longest = std::max(longest, step.Commands.Ms);
    const bool loadingFailed = report.Steps.empty() && !report.Passed();
    std::string html =
        "<h2>Timeline</h2>\n<section class=\"timeline\">\n" +
        TimelineRow(report, "Start", "start", report.Loading, loadingFailed, longest);
    for (std::size_t i = 0; i < report.Steps.size(); ++i)
        html +=
            TimelineRow(report, "Step " + std::to_string(i + 1), "step-" + std::to_string(i + 1),
                        report.Steps[i].Commands, report.Steps[i].Failed, longest);
    html += "<div class=\"legend\"><span><span class=\"swatch\" style=\"background:#8fa3bf\">"
            "</span>the step, from the press until the next step was shown</span>";
    for (const std::string& name : report.Stations)
        html += std::string("<span><span class=\"swatch\" style=\"background:") +
                ColourOf(report, name) + "\"></span>waiting for " + Escaped(name) + "</span>";
    return html + "</div>\n</section>\n";
}

std::string Picture(const std::string& path, const std::string& caption) {
    const std::string file = Escaped(FileName(path));
    return "<figure><a href=\"" + file + "\"><img src=\"" + file + "\" alt=\"" + caption +
           "\"></a><figcaption>" + caption + " (" + file + ", click for full size)</figcaption>" +
           "</figure>\n";
}

std::string Commands(const std::vector<std::string>& sent) {
    if (sent.empty())
        return "<p class=\"none\">none</p>\n";
    std::string html = "<ul class=\"commands\">";
    for (const std::string& command : sent)
        html += "<li><code>" + Escaped(command) + "</code></li>";
    return html + "</ul>\n";
}

std::string Waits(const TRehearsalReport& report, const TPanelWait& wait) {
    std::string html = "<table>";
    for (const TStationWait& station : wait.Waits)
        html += std::string("<tr><td><span class=\"swatch\" style=\"background:") +
                ColourOf(report, station.Station) + "\"></span>" + Escaped(station.Station) +
                "</td><td>" + Seconds(station.Ms) + "</td></tr>";
    html += "<tr><td>in all</td><td>" + Seconds(wait.Ms) + "</td></tr></table>\n";
    if (wait.TimedOut && !wait.Silent.empty()) {
        std::string silent;
        for (const std::string& name : wait.Silent)
            silent += (silent.empty() ? "" : ", ") + Escaped(name);
        html += "<p class=\"silent\">Time-out: no answer from " + silent + "</p>\n";
    } else if (wait.TimedOut) {
        html += "<p class=\"silent\">Time-out</p>\n";
    }
    return html;
}

std::string TimeOutPicture(const TPanelWait& wait) {
    return wait.TimeOutShot.empty() ? std::string()
                                    : Picture(wait.TimeOutShot, "The screen at the time-out");
}

std::string Start(const TRehearsalReport& report) {
    if (report.Loading.Waits.empty() && !report.Loading.TimedOut)
        return {};
    const bool failed = report.Loading.TimedOut;
    return std::string("<article class=\"step") + (failed ? " failed" : "") +
           "\" id=\"start\"><div><h3>Start</h3><p class=\"comment\">The stations start and "
           "get ready.</p><h4>Waited for</h4>" +
           Waits(report, report.Loading) + "</div><div>" + TimeOutPicture(report.Loading) +
           "</div></article>\n";
}

std::string Step(const TRehearsalReport& report, std::size_t index) {
    const TStepRecord& step = report.Steps[index];
    const std::string number = std::to_string(index + 1);
    std::string html = std::string("<article class=\"step") + (step.Failed ? " failed" : "") +
                       "\" id=\"step-" + number + "\"><div><h3>Step " + number +
                       " <span class=\"caption\">" + Escaped(step.Caption) +
                       "</span></h3>\n<p class=\"comment\">" + Escaped(step.Comment) +
                       "</p>\n<h4>Commands</h4>" + Commands(step.Sent) + "<h4>Waited for</h4>" +
                       Waits(report, step.Commands) + "</div><div>";
    if (!step.Screenshot.empty())
        html += Picture(step.Screenshot, "The screen at step " + number);
    return html + TimeOutPicture(step.Commands) + "</div></article>\n";
}

} // namespace

std::string ReportHtml(const TRehearsalReport& report) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>Rehearsal of " +
                       Escaped(FileName(report.Script)) + "</title>\n<style>" + Style() +
                       "</style>\n</head>\n<body>\n<main>\n" + Header(report) + Timeline(report) +
                       "<h2>Steps</h2>\n" + Start(report);
    for (std::size_t i = 0; i < report.Steps.size(); ++i)
        html += Step(report, i);
    if (report.Steps.size() < report.ScriptSteps)
        html += "<p class=\"none\">Steps " + std::to_string(report.Steps.size() + 1) + " to " +
                std::to_string(report.ScriptSteps) + " were not reached.</p>\n";
    return html + "</main>\n</body>\n</html>\n";
}
