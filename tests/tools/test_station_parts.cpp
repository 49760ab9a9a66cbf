// What the rehearsal station reads: its command line, its answer delay and its scheme file.
#include "StationArgs.h"
#include "script/QSchemeSections.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

TEST(StationArgs, SchemeFileAndDemoSwitch) {
    const TStationArgs args = ParseStationArgs("C:\\Temp\\Офис.KELVO", "/DEMO(2,3)");
    EXPECT_EQ(args.Title, "Офис.KELVO");
    EXPECT_EQ(args.Name, "Офис");
    EXPECT_TRUE(args.Demo);
    EXPECT_EQ(args.Index, 2);
    EXPECT_EQ(args.Count, 3);
    EXPECT_FALSE(ParseStationArgs("a.kelvo", "").Demo) << "a station without the conductor";
    EXPECT_EQ(ParseStationArgs("a.kelvo", "/demo(0,1)").Index, 0) << "the first station";
    EXPECT_THROW(ParseStationArgs("", ""), std::runtime_error);
    for (const char* wrong : {"/demo(3,3)", "/demo(-1,2)", "/demo(1)", "/demo(a,2)", "/demo(1,2",
                              "/demo(1,2)x", "/show(0,1)"})
        EXPECT_THROW(ParseStationArgs("a.kelvo", wrong), std::runtime_error) << wrong;
}

TEST(StationArgs, AnswerDelayForAllOrByName) {
    EXPECT_EQ(AnswerDelayMs("250", "Beta"), 250u);
    EXPECT_EQ(AnswerDelayMs("Alpha=5,Beta=60000", "Beta"), 60000u);
    EXPECT_EQ(AnswerDelayMs("Alpha=5,Beta=60000", "Bet"), 0u) << "names match exactly";
    EXPECT_EQ(AnswerDelayMs("Beta=x", "Beta"), 0u);
    EXPECT_EQ(AnswerDelayMs("", "Beta"), 0u);
}

TEST(StationArgs, FaultByName) {
    const char* setting = "Alpha=exit,Beta=handover,Gamma=silent,Delta=late";
    EXPECT_EQ(StationFault(setting, "Alpha"), TStationFault::Exit);
    EXPECT_EQ(StationFault(setting, "Beta"), TStationFault::HandOver);
    EXPECT_EQ(StationFault(setting, "Gamma"), TStationFault::Silent);
    EXPECT_EQ(StationFault(setting, "Delta"), TStationFault::None) << "an unknown fault";
    EXPECT_EQ(StationFault(setting, "Alph"), TStationFault::None) << "names match exactly";
}

std::vector<std::pair<int, int>> Sections(const char* text) {
    std::vector<std::pair<int, int>> sections;
    for (const TSchemeSection& section : SplitScheme(text).Sections)
        sections.emplace_back(section.First, section.Last);
    return sections;
}

TEST(SchemeSections, OneSectionPerStepAfterTheHead) {
    using TList = std::vector<std::pair<int, int>>;
    // Lines: the head (0-3), the first step (4-6), a blank, an empty step (8), a blank.
    EXPECT_EQ(Sections("Folder\r\nDemo data:\r\n.Interactive:=true;\r\n\r\n.Caption('A');\r\n"
                       "'x' 1\r\n.Pause;\r\n\r\n.Pause;\r\n\r\n"),
              (TList{{4, 6}, {8, 8}}));
    EXPECT_EQ(Sections("a\n.Pause;\rb"), (TList{{0, 1}, {2, 2}}))
        << "without a head, and text after the last pause";
    EXPECT_EQ(Sections("a\n\r.Pause;\n\rb"), (TList{{0, 1}, {2, 2}})) << "LF CR is one break";
    EXPECT_EQ(Sections("Folder\nDemo data:\n.Interactive:=true;\n\n.Caption('A');\n.Pause;\n\n\n\n"
                       ".Caption('B');\n.Pause;\n\n\n"),
              (TList{{4, 5}, {9, 10}}))
        << "line feeds alone, and several blank lines after a pause";
    EXPECT_TRUE(Sections("").empty());
}

} // namespace
