// What the machine check makes of a time-out, of a script and of the station names, apart
// from how it asks the system.
#include "venue/QVenueRules.h"

#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

namespace {

TVenueLine ScriptLineOf(std::string_view text, TQDemoScript& script) {
    const support::TTempFile file(".KelvoDemo");
    file.Write(text);
    return ScriptLine(file.Name(), "", script);
}

} // namespace

TEST(VenueRules, TimeoutsUnderHalfAnHourOrTheRehearsalWarn) {
    EXPECT_EQ(TimeoutState(0, std::nullopt), TVenueState::Ready);
    EXPECT_EQ(TimeoutState(ShortTimeoutSeconds - 1, std::nullopt), TVenueState::Warning);
    EXPECT_EQ(TimeoutState(ShortTimeoutSeconds, std::nullopt), TVenueState::Ready);
    // A rehearsal of 20 minutes: ten minutes of screen saver is too short, half an hour enough.
    EXPECT_EQ(TimeoutState(600, 1200), TVenueState::Warning);
    EXPECT_EQ(TimeoutState(1800, 1200), TVenueState::Ready);
    // Even a long rehearsal is measured against itself, not against half an hour.
    EXPECT_EQ(TimeoutState(3000, 3600), TVenueState::Warning);
}

TEST(VenueRules, DurationsReadAsAPersonSaysThem) {
    EXPECT_EQ(DurationText(0), "никогда");
    EXPECT_EQ(DurationText(45), "45 с");
    EXPECT_EQ(DurationText(60), "1 мин");
    EXPECT_EQ(DurationText(3600), "1 ч");
    EXPECT_EQ(DurationText(5400), "1 ч 30 мин");
}

TEST(VenueRules, TheScriptLineCountsAndListsTheCheckersWarnings) {
    TQDemoScript script;
    const TVenueLine ready =
        ScriptLineOf("'A':DemoStation();\r\n.Comment('x');\r\nA.Sync;\r\n", script);
    EXPECT_EQ(ready.State, TVenueState::Ready);
    EXPECT_EQ(ready.Found, "читается без ошибок, станций 1, шагов 1");
    EXPECT_TRUE(ready.Details.empty());
    ASSERT_EQ(script.Sides.size(), 1u);

    const TVenueLine warned = ScriptLineOf(
        "'A':DemoStation();\r\n'B':DemoStation();\r\n.Comment('x');\r\nA.Sync;\r\n", script);
    EXPECT_EQ(warned.State, TVenueState::Warning);
    EXPECT_EQ(warned.Found, "читается без ошибок, станций 2, шагов 1, предупреждений 1");
    ASSERT_EQ(warned.Details.size(), 1u);
    EXPECT_EQ(warned.Details[0], "no command addresses station 2 \"B\"");
}

TEST(VenueRules, AScriptThatDoesNotReadIsAnErrorAtItsPlace) {
    TQDemoScript script;
    const TVenueLine syntax =
        ScriptLineOf("'A':DemoStation();\r\n.Comment('x');\r\n\tA.Bogus;\r\n", script);
    EXPECT_EQ(syntax.State, TVenueState::Error);
    // At the command word after the station, as the syntax error box places it.
    EXPECT_EQ(syntax.Found, "Строка 3 поз. 3: Неправильная команда");

    const TVenueLine missing =
        ScriptLine(support::TempFolder() + "нет такого.KelvoDemo", "", script);
    EXPECT_EQ(missing.State, TVenueState::Error);
    EXPECT_NE(missing.Found.find("нет такого.KelvoDemo"), std::string::npos) << missing.Found;
}

TEST(VenueRules, TheReportPrintsEachStateWithItsDetailsBelow) {
    const TVenueReport report{{TVenueState::Ready, "Сценарий", "читается", {}},
                              {TVenueState::Error, "Уже запущено", "окна", {"окно «A.kelvo»"}},
                              NotChecked("Перерывы", "нет ответа")};
    EXPECT_TRUE(HasError(report));
    EXPECT_FALSE(HasError({report[0], report[2]}));
    EXPECT_EQ(VenueText(report), "готово    Сценарий: читается\n"
                                 "ошибка    Уже запущено: окна\n"
                                 "          окно «A.kelvo»\n"
                                 "внимание  Перерывы: не удалось проверить: нет ответа\n");
}

TEST(VenueRules, ACyrillicNameIsReadAsCodePage1251ReadsItAndThenTriedOnTheSystem) {
    const support::TTempFile file(".KelvoDemo");
    file.Write("'Филиал':DemoStation();\r\n.Comment('x');\r\n1.Sync;\r\n");
    const TVenueLine line = CodePageLine(file.Name());
    EXPECT_EQ(line.Found, std::to_string(os::SystemCodePage())) << VenueText({line});
    EXPECT_EQ(line.Details, std::vector<std::string>{"Филиал: читается так же"});
}
