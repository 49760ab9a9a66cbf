// The rehearsal's page: what a presenter reads in it, in UTF-8 and safe from the script's texts.
#include "tools/kelvodemo-rehearse/RehearseHtml.h"

#include "os/Cp1251.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two stations, a step that went well and one that timed out waiting for «Склад».
TRehearsalReport FailedRehearsal() {
    TRehearsalReport report;
    report.Script = "C:\\demos\\two.KelvoDemo";
    report.Began = "2024-03-01 14:05:09";
    report.Stations = {"Office", "Склад"};
    report.ScriptSteps = 3;
    report.Loading.Ms = 900;
    TStepRecord& first = report.Steps.emplace_back();
    first.Caption = "Далее";
    first.Comment = "Файлы <b> & \"кавычки\"";
    first.Screenshot = "C:\\shots\\step-01.png";
    first.Sent = {"Office.Sync", "Office.SendTo(Склад)"};
    first.Commands.Ms = 1250;
    first.Commands.Waits = {{"Office", 1250}};
    TStepRecord& second = report.Steps.emplace_back();
    second.Screenshot = "shots/step-02.png";
    second.Failed = true;
    second.Commands.Ms = 5000;
    second.Commands.Waits = {{"Склад", 5000}};
    second.Commands.TimedOut = true;
    second.Commands.Silent = {"Склад"};
    second.Commands.TimeOutShot = "shots/time-out.png";
    report.Failures = {"time-out after 5.0 s at step 2: no answer from Склад"};
    report.TotalMs = 7340;
    return report;
}

bool Has(const std::string& page, const std::string& cp1251Text) {
    return page.find(cp1251::ToUtf8(cp1251Text)) != std::string::npos;
}

TEST(RehearsalPage, ShowsEveryStepAndItsPictureInUtf8) {
    const std::string page = ReportHtml(FailedRehearsal());
    for (const char* expected :
         {"<meta charset=\"utf-8\">", "Rehearsal of two.KelvoDemo", "2024-03-01 14:05:09", "7.34 s",
          "FAILED", "Step 1", "Step 2", "Файлы &lt;b&gt; &amp; &quot;кавычки&quot;",
          "<code>Office.Sync</code>", "<code>Office.SendTo(Склад)</code>", "1.25 s",
          "<a href=\"step-01.png\"><img src=\"step-01.png\"",
          "<a href=\"step-02.png\"><img src=\"step-02.png\"", "Steps 3 to 3 were not reached"})
        EXPECT_TRUE(Has(page, expected)) << expected;
    EXPECT_FALSE(Has(page, "<b>")) << "a script's text is shown, not taken as markup";
    for (const char* outside : {"<script", "http:", "https:", "@import", "url("})
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
}

TEST(RehearsalPage, MarksTheFailedStepWithItsSilentStationsAndTimeOutPicture) {
    const std::string page = ReportHtml(FailedRehearsal());
    const std::size_t failed = page.find("<article class=\"step failed\" id=\"step-2\">");
    ASSERT_NE(failed, std::string::npos);
    EXPECT_EQ(page.find("\"step failed\""), page.rfind("\"step failed\""))
        << "only the step that failed is red";
    const std::string step = page.substr(failed);
    EXPECT_TRUE(Has(step, "no answer from Склад"));
    EXPECT_TRUE(Has(step, "<a href=\"time-out.png\"><img src=\"time-out.png\""));
    EXPECT_TRUE(Has(page, "<div class=\"row failed\"><a href=\"#step-2\">"));
}

TEST(RehearsalPage, DrawsEachBarAsLongAsItsTimeAgainstTheLongestAndKeepsStartUnredWhenAStepFails) {
    const std::string page = ReportHtml(FailedRehearsal());
    // The longest is step 2's 5 s: the start's 0.9 s is 18%, step 1's 1.25 s a quarter.
    for (const char* bar : {"<div class=\"row\"><a href=\"#start\">Start</a><div class=\"track\">"
                            "<div class=\"bar\" style=\"width:18.0%\">",
                            "<a href=\"#step-1\">Step 1</a><div class=\"track\"><div class=\"bar\" "
                            "style=\"width:25.0%\">",
                            "<a href=\"#step-2\">Step 2</a><div class=\"track\"><div class=\"bar\" "
                            "style=\"width:100.0%\">",
                            "title=\"Office 1.25 s\" style=\"width:25.0%;"})
        EXPECT_NE(page.find(bar), std::string::npos) << bar;
}

TEST(RehearsalPage, OfACompleteRehearsalSaysNothingOfStepsNotReached) {
    TRehearsalReport report = FailedRehearsal();
    report.Steps.pop_back();
    report.Failures.clear();
    report.ScriptSteps = 1;
    const std::string page = ReportHtml(report);
    EXPECT_NE(page.find("<header class=\"passed\">"), std::string::npos);
    EXPECT_EQ(page.find("not reached"), std::string::npos);
    for (const char* red : {"\"step failed\"", "\"row failed\"", "FAILED"})
        EXPECT_EQ(page.find(red), std::string::npos) << red;
}

// The colour of the legend's swatch for STATION.
std::string LegendColour(const std::string& page, const std::string& station) {
    const std::size_t at = page.rfind("\"></span>waiting for " + station + "</span>");
    const std::size_t colour = page.rfind("background:", at) + std::string("background:").size();
    return at == std::string::npos ? "" : page.substr(colour, at - colour);
}

TEST(RehearsalPage, GivesEachOfSixStationsItsOwnColourAndTheSeventhTheFirstsAgain) {
    TRehearsalReport report = FailedRehearsal();
    report.Stations = {"S1", "S2", "S3", "S4", "S5", "S6", "S7"};
    const std::string page = ReportHtml(report);
    std::vector<std::string> colours;
    for (const std::string& station : report.Stations)
        colours.push_back(LegendColour(page, station));
    for (std::size_t a = 0; a < 6; ++a) {
        EXPECT_EQ(colours[a].size(), 7u) << colours[a];
        for (std::size_t b = a + 1; b < 6; ++b)
            EXPECT_NE(colours[a], colours[b]) << "S" << a + 1 << " and S" << b + 1;
    }
    EXPECT_EQ(colours[6], colours[0]);
}

} // namespace
