// The machine check under Wine, each condition planted here and found: the product beside
// the program, what is already running, leftovers, an unwritable temporary folder, the code
// page, the screens, a screen saver, a comment too long for the panel, and the file type.
#include "venue/QVenueCheck.h"
#include "venue/QVenueProbes.h"

#include "os/Wide.h"
#include "protocol/QProgramNames.h"
#include "protocol/QWindowNames.h"
#include "shellreg/UnitReg2.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/ScreenSaver.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TopWindows.h"
#include "tests/support/TraceViewer.h"
#include "tools/panelprobe/Press.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace support;

namespace {

// Station names no other test uses, so that windows and files of this name are this test's.
constexpr char TwoStations[] = "'VenueAlpha':DemoStation();\r\n"
                               "'VenueBeta':DemoStation();\r\n"
                               ".Comment('Первый шаг');\r\n"
                               "VenueAlpha.SendTo(VenueBeta);\r\n"
                               "VenueAlpha.Next;\r\n"
                               "VenueBeta.Next;\r\n"
                               ".Comment('Второй шаг');\r\n"
                               "VenueBeta.Sync;\r\n";

class Venue : public ::testing::Test {
protected:
    TVenueReport Check(const std::string& scriptText = TwoStations) {
        const std::string script = Folder.Write("venue.KelvoDemo", scriptText);
        return CheckVenue({script, ProgramFolder() + "KelvoDemo.exe", std::nullopt});
    }

    // The line of CHECK; the report is known to hold every check.
    static TVenueLine LineOf(const TVenueReport& report, const std::string& check) {
        const auto line = std::find_if(report.begin(), report.end(),
                                       [&](const TVenueLine& l) { return l.Check == check; });
        return line == report.end() ? TVenueLine{TVenueState::Error, check, "no such line", {}}
                                    : *line;
    }

    static bool Mentions(const TVenueLine& line, const std::string& text) {
        if (line.Found.find(text) != std::string::npos)
            return true;
        return std::any_of(line.Details.begin(), line.Details.end(),
                           [&](const std::string& d) { return d.find(text) != std::string::npos; });
    }

    TTempFolder Folder{"venue"};
};

std::string Printed(const TVenueLine& line) {
    return VenueText({line});
}

TEST_F(Venue, TheBuildsOwnLayoutHasNoErrorAndTellsTheRehearsalStation) {
    const TVenueReport report = Check();
    ASSERT_EQ(report.size(), 8u);
    for (const TVenueLine& line : report)
        EXPECT_NE(line.State, TVenueState::Error) << Printed(line);
    const TVenueLine product = LineOf(report, ProductProgram);
    EXPECT_EQ(product.Found.rfind("станция для репетиций ", 0), 0u) << Printed(product);
    EXPECT_EQ(LineOf(report, "Кодовая страница").Found,
              std::to_string(GetACP()) + "; имена станций латинские");
}

TEST_F(Venue, NoProductBesideTheConductorIsAnError) {
    const std::string script = Folder.Write("venue.KelvoDemo", TwoStations);
    const TVenueReport report = CheckVenue({script, Folder.Name() + "KelvoDemo.exe", std::nullopt});
    const TVenueLine product = LineOf(report, ProductProgram);
    EXPECT_EQ(product.State, TVenueState::Error) << Printed(product);
    EXPECT_TRUE(HasError(report));
}

TEST_F(Venue, ARunningDemonstrationAndAnEarlierRunsStationWindowAreErrors) {
    const win::TKernelHandle session(CreateMutexA(nullptr, FALSE, DemonstrationMutex));
    ASSERT_TRUE(session);
    const std::string scheme = Folder.Write("VenueAlpha.kelvo", "'Первый'\r\n.Pause;\r\n");
    const std::string other = Folder.Write("VenueOther.kelvo", "'Первый'\r\n.Pause;\r\n");
    TChild station(ProgramFolder() + "Kelvo.exe", "\"" + scheme + "\"");
    TChild otherStation(ProgramFolder() + "Kelvo.exe", "\"" + other + "\"");
    ASSERT_TRUE(PumpUntil(
        [] {
            return FindWindowA(StationClass, "VenueAlpha.kelvo") &&
                   FindWindowA(StationClass, "VenueOther.kelvo");
        },
        10000));

    const TVenueLine running = LineOf(Check(), "Уже запущено");
    EXPECT_EQ(running.State, TVenueState::Error);
    EXPECT_TRUE(Mentions(running, "демонстрация уже идет")) << Printed(running);
    EXPECT_TRUE(Mentions(running,
                         "окно «VenueAlpha.kelvo»: процесс " + std::to_string(station.Id()) + ", "))
        << Printed(running);
    EXPECT_TRUE(Mentions(running, "Kelvo.exe")) << Printed(running);
    // A station of another script takes none of this one's commands.
    EXPECT_FALSE(Mentions(running, "VenueOther")) << Printed(running);
    EXPECT_EQ(running.Details.size(), 2u) << Printed(running);
    station.Kill();
    otherStation.Kill();
}

TEST_F(Venue, AnEarlierRunsLeftoversAreListedAndKept) {
    const std::string scheme = TempFolder() + "VenueBeta.kelvo";
    const std::string exchange = TempFolder() + "$Kelvo$7e57";
    ASSERT_TRUE(CreateDirectoryA(exchange.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    std::ofstream(FsPath(scheme)) << "x";

    const TVenueLine temp = LineOf(Check(), "Временная папка");
    EXPECT_EQ(temp.State, TVenueState::Warning) << Printed(temp);
    EXPECT_TRUE(Mentions(temp, "осталось от прошлого показа: " + scheme)) << Printed(temp);
    EXPECT_TRUE(Mentions(temp, "$Kelvo$7e57")) << Printed(temp);
    EXPECT_TRUE(Exists(scheme) && Exists(exchange)) << "the check deleted a leftover";
    DeleteFileA(scheme.c_str());
    RemoveDirectoryA(exchange.c_str());
}

// A folder of this test's own, so that only the leftover planted here is there; and a TMP
// that names a folder that is not there, as a user's setting or a removed drive leaves it.
TEST_F(Venue, OneLeftoverWarnsAndATemporaryFolderThatIsNotThereIsAnError) {
    TQDemoScript script;
    script.Sides.emplace_back().SchemeFile = Folder.Name() + "VenueBeta.kelvo";
    const std::wstring own = win::Wide(Folder.Name());
    EXPECT_EQ(TempLine(own, script).State, TVenueState::Ready) << Printed(TempLine(own, script));
    Folder.Write("VenueBeta.kelvo", "x");
    EXPECT_EQ(TempLine(own, script).State, TVenueState::Warning) << Printed(TempLine(own, script));

    const TVenueLine temp = TempLine(L"C:\\no such folder\\", script);
    EXPECT_EQ(temp.State, TVenueState::Error) << Printed(temp);
    EXPECT_TRUE(Mentions(temp, "C:\\no such folder\\")) << Printed(temp);
}

TEST_F(Venue, ACyrillicStationNameIsCheckedAgainstTheCodePage) {
    const TVenueReport report = Check("'Филиал':DemoStation();\r\n.Comment('x');\r\n1.Sync;\r\n");
    const TVenueLine codePage = LineOf(report, "Кодовая страница");
    if (GetACP() == 1251) {
        EXPECT_EQ(codePage.State, TVenueState::Ready) << VenueText(report);
        EXPECT_TRUE(Mentions(codePage, "Филиал: читается так же")) << Printed(codePage);
    } else {
        EXPECT_EQ(codePage.State, TVenueState::Error) << Printed(codePage);
        EXPECT_TRUE(Mentions(codePage, std::to_string(GetACP()))) << Printed(codePage);
        EXPECT_TRUE(Mentions(codePage, "Филиал: искажается")) << Printed(codePage);
        EXPECT_EQ(LineOf(report, "Сценарий").State, TVenueState::Error);
    }
}

TEST_F(Venue, TheScreensScaleAndACommentTooLongForThePanel) {
    const char* logPixels = std::getenv("KELVO_LOGPIXELS");
    const int scale = (logPixels ? std::atoi(logPixels) : 96) * 100 / 96;
    std::string script =
        "'VenueAlpha':DemoStation();\r\n.Comment('Короткое');\r\nVenueAlpha.Sync;\r\n"
        ".Comment('";
    for (int i = 0; i < 200; ++i)
        script += "Очень длинное пояснение, которое не помещается. ";
    script += "');\r\nVenueAlpha.Sync;\r\n";
    const TVenueLine screens = LineOf(Check(script), "Экраны");
    EXPECT_TRUE(Mentions(screens, "масштаб " + std::to_string(scale) + "%")) << Printed(screens);
    EXPECT_EQ(screens.State, TVenueState::Warning) << Printed(screens);
    EXPECT_TRUE(Mentions(screens, "шаг 2: строк ")) << Printed(screens);
    EXPECT_TRUE(Mentions(screens, "не помещается")) << Printed(screens);

    const TVenueLine fits = LineOf(Check(), "Экраны");
    EXPECT_EQ(fits.State, TVenueState::Ready) << Printed(fits);
}

TEST_F(Venue, AScreenSaverOfAMinuteWarns) {
    TVenueLine pauses;
    {
        const TScreenSaver saver(60);
        pauses = LineOf(Check(), "Перерывы");
    }
    EXPECT_EQ(pauses.State, TVenueState::Warning) << Printed(pauses);
    EXPECT_TRUE(Mentions(pauses, "заставка: 1 мин, меньше получаса")) << Printed(pauses);
}

TEST_F(Venue, AScriptTypeRegisteredToAnotherFolderWarns) {
    RegisterFileTypes("C:\\Other\\Kelvo.exe");
    const TVenueLine other = LineOf(Check(), "Типы файлов");
    RegisterFileTypes(ProgramFolder() + "KelvoDemo.exe");
    const TVenueLine own = LineOf(Check(), "Типы файлов");
    UnregisterFileTypes();
    const TVenueLine none = LineOf(Check(), "Типы файлов");
    EXPECT_EQ(other.State, TVenueState::Warning) << Printed(other);
    EXPECT_TRUE(Mentions(other, "C:\\Other\\KelvoDemo.exe")) << Printed(other);
    EXPECT_EQ(own.State, TVenueState::Ready) << Printed(own);
    EXPECT_EQ(none.State, TVenueState::Warning) << Printed(none);
    EXPECT_TRUE(Mentions(none, "не открывается ничем")) << Printed(none);
}

// The installed layout: the checker in tools\, the program and the product in the folder above.
TEST_F(Venue, TheCheckerFindsTheConductorInTheFolderAboveItsTools) {
    const std::string script = Folder.Write("venue.KelvoDemo", TwoStations);
    MakeFolders(Folder.Name() + "tools");
    const std::string checker = Folder.Name() + "tools\\kelvodemo-check.exe";
    ASSERT_TRUE(
        CopyFileA((ProgramFolder() + "kelvodemo-check.exe").c_str(), checker.c_str(), FALSE));
    for (const char* program : {"KelvoDemo.exe", ProductProgram})
        ASSERT_TRUE(CopyFileA((ProgramFolder() + program).c_str(),
                              (Folder.Name() + program).c_str(), FALSE));
    const TRun installed = RunProgram(checker, "--here \"" + script + "\"");
    ASSERT_TRUE(DeleteFileA((Folder.Name() + ProductProgram).c_str()));
    const TRun withoutProduct = RunProgram(checker, "--here \"" + script + "\"");
    EXPECT_EQ(installed.ExitCode, 0u) << "the product above tools\\ was not found";
    EXPECT_EQ(withoutProduct.ExitCode, 1u) << "a missing product was not found missing";
}

// The program's own form: the same lines in the dyed box, read through the trace viewer,
// and the exit code.
TEST_F(Venue, KelvoDemoCheckShowsTheLinesInItsBoxAndEndsWithOneOnAnError) {
    const std::string script = Folder.Write("venue.KelvoDemo", TwoStations);
    const win::TKernelHandle session(CreateMutexA(nullptr, FALSE, DemonstrationMutex));
    const TTempFile log(".log");
    traceviewer::TTraceViewer viewer(log.Name());
    ASSERT_NE(viewer.Window, nullptr) << "the trace viewer's window did not come up";
    TChild demo(ProgramFolder() + "KelvoDemo.exe", "/check \"" + script + "\"");
    const HWND box = WaitForTopWindow(demo.Id(), "QMsgBoxMainWindow", 30000);
    ASSERT_NE(box, nullptr) << "no dyed box came up";
    EXPECT_EQ(TextOf(box), "Проверка перед показом");
    BringToFront(box);
    TypeEnter();
    ASSERT_TRUE(demo.Wait(20000)) << "the program did not end";
    EXPECT_EQ(demo.ExitCode(), 1u);
    // The box traces each piece on a line of its own: the state, then the check.
    std::string traced;
    for (const std::string& line : traceviewer::ReadLines(log.Name()))
        traced += traceviewer::WithoutStamp(line) + "\n";
    EXPECT_NE(traced.find("Kelvodemo   готово\nKelvodemo     Сценарий: читается без ошибок, "
                          "станций 2, шагов 2\n"),
              std::string::npos)
        << traced;
    EXPECT_NE(traced.find("Kelvodemo   ошибка\nKelvodemo     Уже запущено: "), std::string::npos)
        << traced;
    EXPECT_EQ(FindWindowA(StationClass, "VenueAlpha.kelvo"), nullptr) << "a station started";
}

} // namespace
