// The demonstration as a presenter runs it: KelvoDemo.exe with a script, real station
// processes, stations that are slow, die or never start, and the panel closed or the session
// ended before the end. Whatever happens, the stations end and no scheme file stays in the
// temporary folder.

#include "protocol/QExchangeFolders.h"
#include "protocol/QPanelTexts.h"
#include "protocol/QWindowNames.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TopWindows.h"
#include "tools/panelprobe/PanelProbe.h"
#include "tools/panelprobe/Press.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace support;

namespace {

// Station names no other test uses, so that their scheme files are this test's own.
const std::string TwoStations = "'DemoAlpha':DemoStation();'DemoBeta':DemoStation();\n"
                                ".Comment('Первый');\nDemoAlpha.Sync;\n.Comment('Конец');\n";

void ExpectNoSchemeFiles() {
    EXPECT_FALSE(Exists(TempFolder() + "DemoAlpha.kelvo")) << "a scheme file stayed";
    EXPECT_FALSE(Exists(TempFolder() + "DemoBeta.kelvo")) << "a scheme file stayed";
}

// KelvoDemo.exe of this build on the script TEXT, written into FOLDER as FILE; ENVIRONMENT
// reaches the stations (KELVO_STATION_DELAY_MS).
TChild LaunchDemo(TTempFolder& folder, const std::string& file, const std::string& text,
                  const std::vector<std::string>& environment = {},
                  TWhere where = TWhere::current()) {
    const std::string script = folder.Write(file, text);
    return TChild(ProgramFolder() + "KelvoDemo.exe", "\"" + script + "\"", environment, where);
}

// WM_CLOSE as the presenter's close box sends it, or WM_ENDSESSION as a logoff does.
void EndPanel(const TChild& demo, UINT message = WM_CLOSE) {
    HWND panel = WaitForTopWindow(demo.Id(), ConductorClass);
    ASSERT_NE(panel, nullptr) << "no panel";
    PostMessageA(panel, message, message == WM_ENDSESSION, 0);
}

// The panel of a running conductor, as the presenter sees it. A test that stops early closes
// it, so that its stations are told to quit and no other test meets them.
class TPresenter {
public:
    explicit TPresenter(TChild& demo) : demo_(demo) {}
    TPresenter(const TPresenter&) = delete;
    TPresenter& operator=(const TPresenter&) = delete;
    ~TPresenter() {
        if (demo_.ExitCode() == STILL_ACTIVE && panel_.Form) {
            PostMessageA(panel_.Form, WM_CLOSE, 0, 0);
            demo_.Wait(10000);
        }
    }

    // What the panel showed when it was last looked at.
    const TPanelView& View() const { return view_; }

    // Waits until the button is enabled with CAPTION; false, reported at the caller, when it
    // is not by the deadline.
    bool WaitForButton(const std::string& caption, DWORD timeoutMs = 10000,
                       TWhere where = TWhere::current()) {
        if (Watch([&](const TPanelView& v) { return v.Enabled && v.Caption == caption; },
                  timeoutMs))
            return true;
        FailAt(where, "no button \"" + caption + "\"; the panel shows \"" + view_.Caption + "\" (" +
                          (view_.Enabled ? "enabled" : "disabled") + "), \"" + view_.Label +
                          "\", \"" + view_.Comment + "\"");
        return false;
    }

    // Watches the panel until DONE holds for what it shows; false at the deadline.
    bool Watch(const std::function<bool(const TPanelView&)>& done, DWORD timeoutMs) {
        return PumpUntil(
            [&] {
                if (!FindPanel(demo_.Id(), panel_))
                    return false;
                view_ = ReadPanel(panel_);
                return done(view_);
            },
            timeoutMs);
    }

    // Enter, typed into the panel brought to the front, and the panel seen to take it.
    void PressEnter(TWhere where = TWhere::current()) { Press(VK_RETURN, where); }

    // KEY typed into the panel brought to the front, and the panel seen to take it.
    void Press(WORD key, TWhere where = TWhere::current()) {
        const TPanelView before = view_;
        if (!Type(key))
            FailAt(where, "the panel could not be given the key");
        else if (!Watch([&](const TPanelView& view) { return Changed(before, view); }, 5000))
            FailAt(where, "the panel did not take the key on \"" + before.Caption + "\"");
    }

    // KEY typed into the panel brought to the front, whatever it does.
    bool Type(WORD key) { return BringToFront(panel_.Form) && PressKey(key); }

    // The first line that the comment box shows.
    LRESULT FirstCommentLine() const {
        return SendMessageW(panel_.Comment, EM_GETFIRSTVISIBLELINE, 0, 0);
    }

    // The class of the panel's control that has the focus.
    std::string FocusedClass() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        char name[64] = {};
        const DWORD thread = GetWindowThreadProcessId(panel_.Form, nullptr);
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus)
            GetClassNameA(info.hwndFocus, name, sizeof name);
        return name;
    }

private:
    static bool Changed(const TPanelView& a, const TPanelView& b) {
        return a.Enabled != b.Enabled || a.Caption != b.Caption || a.Comment != b.Comment;
    }

    TChild& demo_;
    TPanel panel_;
    TPanelView view_;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void ExpectCleanEnd(TChild& demo) {
    ASSERT_TRUE(demo.Wait(10000)) << "the conductor did not end";
    EXPECT_EQ(demo.ExitCode(), 0u);
    EXPECT_TRUE(PumpUntil(
        [] {
            return !FindWindowA(StationClass, StationTitle("DemoAlpha").c_str()) &&
                   !FindWindowA(StationClass, StationTitle("DemoBeta").c_str());
        },
        10000))
        << "a station kept running";
    ExpectNoSchemeFiles();
}

const std::string NotFound = "Kelvo.exe не найден рядом с KelvoDemo.exe. Для репетиции запустите "
                             "KelvoDemo.exe из папки rehearsal.";

TEST(Demo, WithoutTheStationProgramEachStationIsReportedLostAndPassedOver) {
    TTempFolder folder("demo missing");
    const std::string exe = folder / "KelvoDemo.exe";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "KelvoDemo.exe").c_str(), exe.c_str(), FALSE));
    const std::string script = folder.Write("two.KelvoDemo", TwoStations);
    TChild demo(exe, "\"" + script + "\"");
    std::vector<TBox> boxes;
    for (int i = 0; i < 2; ++i) {
        HWND box = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (box = FindBox(demo.Id())) != nullptr; }, 20000))
            << "box " << i + 1 << " did not come";
        boxes.push_back(ReadBox(box));
        PressButton(box, IDOK);
        PumpUntil([&] { return !IsWindow(box); });
    }
    const std::string product = folder / "Kelvo.exe";
    EXPECT_EQ(boxes[0].Texts.at(0), "Ошибка запуска: " + product + " \"" + TempFolder() +
                                        "DemoAlpha.kelvo\" /demo(0,2)\r\n" + NotFound);
    EXPECT_EQ(boxes[1].Texts.at(0), "Ошибка запуска: " + product + " \"" + TempFolder() +
                                        "DemoBeta.kelvo\" /demo(1,2)\r\n" + NotFound);
    EXPECT_EQ(boxes[0].Caption, "Пульт управления демонстрацией");
    EXPECT_NE(boxes[0].Owner, nullptr) << "the box is not owned by the panel";

    TPresenter presenter(demo);
    ASSERT_TRUE(presenter.WaitForButton(SkipCaption));
    const TPanelView& view = presenter.View();
    EXPECT_EQ(view.Label, WaitingPrefix + std::string("DemoAlpha,DemoBeta"));
    EXPECT_TRUE(Has(view.Comment, "DemoAlpha: станция не запустилась") &&
                Has(view.Comment, "DemoBeta: станция не запустилась"))
        << view.Comment;
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(NextCaption));
    EXPECT_EQ(view.Comment, "Первый");
    // Its step's command awaits the station again, which is lost again.
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(SkipCaption));
    EXPECT_EQ(view.Label, WaitingPrefix + std::string("DemoAlpha"));
    EXPECT_TRUE(Has(view.Comment, "DemoAlpha: станция не запустилась")) << view.Comment;
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(LastCaption));
    EXPECT_EQ(view.Comment, "Конец");
    presenter.PressEnter();
    ExpectCleanEnd(demo);
}

// Station names no other test uses, so that their scheme files are this test's own.
const std::string AlphaTwice =
    "'DemoAlpha':DemoStation();'DemoBeta':DemoStation();\n"
    ".Comment('Первый');\nDemoAlpha.Sync;\n"
    ".Comment('Второй');\nDemoAlpha.Next;DemoBeta.Next;\n.Comment('Конец');\n";

TEST(Demo, AStationThatDiesWhileAwaitedIsReportedLostAndPassedOver) {
    TTempFolder folder("demo dies");
    // Alpha answers late enough to be ended before its answer.
    TChild demo =
        LaunchDemo(folder, "dies.KelvoDemo", AlphaTwice, {"KELVO_STATION_DELAY_MS=DemoAlpha=2000"});
    TPresenter presenter(demo);
    ASSERT_TRUE(presenter.WaitForButton(NextCaption, 20000));
    const TPanelView& view = presenter.View();
    EXPECT_EQ(view.Comment, "Первый");
    HWND alpha = FindWindowA(StationClass, StationTitle("DemoAlpha").c_str());
    DWORD alphaId = 0;
    GetWindowThreadProcessId(alpha, &alphaId);
    win::TKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, alphaId));
    ASSERT_TRUE(process) << "no station DemoAlpha";

    presenter.PressEnter();
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
    ASSERT_TRUE(presenter.WaitForButton(SkipCaption));
    EXPECT_EQ(view.Label, WaitingPrefix + std::string("DemoAlpha"));
    EXPECT_TRUE(Has(view.Comment, "DemoAlpha: окно станции закрыто")) << view.Comment;
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(NextCaption));
    EXPECT_EQ(view.Comment, "Второй");
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(SkipCaption));
    EXPECT_TRUE(Has(view.Comment, "DemoAlpha: окно станции закрыто")) << view.Comment;
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(LastCaption)) << "Beta's .Next did not run";
    EXPECT_EQ(view.Comment, "Конец");
    presenter.PressEnter();
    ExpectCleanEnd(demo);
    std::filesystem::remove_all(FsPath(ExchangeFolders(TempFolder(), alphaId, "DemoAlpha").Root));
}

// A product instance that fails at start-up: its process ends before it ever answers.
TEST(Demo, AStationThatEndsBeforeItsFirstAnswerIsLostAndPassedOver) {
    TTempFolder folder("demo ends");
    TChild demo =
        LaunchDemo(folder, "ends.KelvoDemo", TwoStations, {"KELVO_STATION_FAULT=DemoAlpha=exit"});
    TPresenter presenter(demo);
    ASSERT_TRUE(presenter.WaitForButton(SkipCaption, 20000));
    const TPanelView& view = presenter.View();
    EXPECT_EQ(view.Label, WaitingPrefix + std::string("DemoAlpha"));
    EXPECT_TRUE(Has(view.Comment, "DemoAlpha: станция завершилась до ответа")) << view.Comment;
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(NextCaption));
    EXPECT_EQ(view.Comment, "Первый");
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(SkipCaption)) << "the ended station was awaited again";
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(LastCaption));
    presenter.PressEnter();
    ExpectCleanEnd(demo);
}

// A program that starts a second process of its own and ends: the second one is the station.
TEST(Demo, AStationThatHandsOverToAnotherProcessIsNotLost) {
    TTempFolder folder("demo hands over");
    // Slow besides: its window, not its answer, is what keeps it from being lost.
    TChild demo = LaunchDemo(
        folder, "handover.KelvoDemo", TwoStations,
        {"KELVO_STATION_FAULT=DemoAlpha=handover", "KELVO_STATION_DELAY_MS=DemoAlpha=3000"});
    TPresenter presenter(demo);
    bool skipped = false;
    ASSERT_TRUE(presenter.Watch(
        [&](const TPanelView& view) {
            skipped = skipped || view.Caption == SkipCaption;
            return view.Enabled && view.Caption == NextCaption;
        },
        20000))
        << "the station that took over never answered";
    EXPECT_FALSE(skipped) << "the station was taken as lost";
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(LastCaption)) << "its command got no answer";
    presenter.PressEnter();
    ExpectCleanEnd(demo);
}

// A hung product instance: its window stays, and it answers nothing.
TEST(Demo, ASilentStationMayBePassedOverAfter30SecondsAndNotBefore) {
    TTempFolder folder("demo silent");
    TChild demo = LaunchDemo(folder, "silent.KelvoDemo", TwoStations,
                             {"KELVO_STATION_FAULT=DemoAlpha=silent"});
    TPresenter presenter(demo);
    ASSERT_TRUE(presenter.WaitForButton(NextCaption, 20000));
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(SkipCaption, 40000));
    const TPanelView& view = presenter.View();
    // The panel's own clock says when it offered to skip, however slowly the test runs.
    const std::string lead = "DemoAlpha: нет ответа ";
    const std::size_t at = view.Comment.find(lead);
    ASSERT_NE(at, std::string::npos) << view.Comment;
    EXPECT_GE(std::atoi(view.Comment.c_str() + at + lead.size()), 30) << view.Comment;
    EXPECT_TRUE(Has(view.Comment, " с, окно станции открыто")) << view.Comment;
    presenter.PressEnter();
    ASSERT_TRUE(presenter.WaitForButton(LastCaption));
    EXPECT_EQ(view.Comment, "Конец");
    presenter.PressEnter();
    ExpectCleanEnd(demo);
}

TEST(Demo, ASlowStationIsWaitedForInWordsAndNeverLost) {
    TTempFolder folder("demo slow");
    TChild demo = LaunchDemo(folder, "slow.KelvoDemo", TwoStations,
                             {"KELVO_STATION_DELAY_MS=DemoAlpha=5500"});
    TPresenter presenter(demo);
    ASSERT_TRUE(presenter.Watch([](const TPanelView&) { return true; }, 10000)) << "no panel";
    std::vector<TPanelView> seen;
    // The panel enables its button before it sets the caption, so only a caption that says
    // what the button does ends the watch.
    ASSERT_TRUE(presenter.Watch(
        [&](const TPanelView& view) {
            if (!view.Comment.empty() && (seen.empty() || seen.back().Comment != view.Comment))
                seen.push_back(view);
            return view.Enabled && (view.Caption == NextCaption || view.Caption == SkipCaption);
        },
        15000))
        << "the step never ended";
    // The panel says how long it has waited, so its own clock tells whether it kept quiet for
    // the first seconds, however slowly this machine runs the test.
    const std::string lead = "Жду ответа ", tail = " с: DemoAlpha";
    std::vector<int> seconds;
    for (const TPanelView& view : seen) {
        const std::string& text = view.Comment;
        if (text.rfind(lead, 0) == 0 && text.size() > lead.size() + tail.size() &&
            text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
            seconds.push_back(std::atoi(text.c_str() + lead.size()));
    }
    ASSERT_GE(seconds.size(), 2u) << "the wait was not shown and updated";
    EXPECT_GE(seconds.front(), 3) << "a short wait was talked about";
    EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end()));
    EXPECT_EQ(presenter.View().Comment, "Первый");
    EXPECT_EQ(presenter.View().Caption, NextCaption) << "the slow station was taken as lost";
    EndPanel(demo);
    ExpectCleanEnd(demo);
}

// A presentation clicker sends Page Down for "next" and Page Up for "back".
TEST(Demo, AClickersPageDownPressesTheButtonFromTheCommentBoxAndOnlyWhenItIsEnabled) {
    TTempFolder folder("demo clicker");
    // The last comment is longer than its box, so that a Page Up could scroll it.
    std::string lastComment = ".Comment('Конец'";
    for (int line = 2; line <= 60; ++line)
        lastComment += "#13#10'" + std::to_string(line) + "'";
    TChild demo = LaunchDemo(folder, "clicker.KelvoDemo",
                             "'DemoAlpha':DemoStation();'DemoBeta':DemoStation();\n"
                             ".Comment('Первый');\nDemoAlpha.Sync;\n" +
                                 lastComment + ");\n",
                             {"KELVO_STATION_DELAY_MS=DemoAlpha=1500"});
    TPresenter presenter(demo);
    ASSERT_TRUE(presenter.WaitForButton(NextCaption, 15000));
    ASSERT_TRUE(presenter.Type(VK_TAB));
    ASSERT_TRUE(PumpUntil([&] {
        return presenter.FocusedClass().find("RichEdit") != std::string::npos;
    })) << "the comment box did not take the focus: "
        << presenter.FocusedClass();
    presenter.Press(VK_NEXT);
    EXPECT_TRUE(presenter.Watch([](const TPanelView& view) { return !view.Enabled; }, 1000))
        << "the step did not run";
    // While the step runs the button is disabled: this Page Down must be lost, not kept for the
    // last step, whose button would end the demonstration.
    ASSERT_TRUE(presenter.Type(VK_NEXT));
    ASSERT_TRUE(presenter.WaitForButton(LastCaption));
    // The press took the focus to the button: back to the comment, and down its lines.
    ASSERT_TRUE(presenter.Type(VK_TAB));
    ASSERT_TRUE(
        PumpUntil([&] { return presenter.FocusedClass().find("RichEdit") != std::string::npos; }));
    for (int line = 0; line < 60; ++line)
        ASSERT_TRUE(presenter.Type(VK_DOWN));
    PumpFor(1000); // the keys are taken one after another
    const LRESULT scrolled = presenter.FirstCommentLine();
    ASSERT_GT(scrolled, 0) << "the comment box did not scroll down";
    ASSERT_TRUE(presenter.Type(VK_PRIOR));
    PumpFor(1000);
    EXPECT_TRUE(presenter.WaitForButton(LastCaption, 100)) << "Page Down or Page Up acted late";
    EXPECT_EQ(presenter.FirstCommentLine(), scrolled) << "Page Up scrolled the comment";
    EXPECT_EQ(presenter.View().Comment.rfind("Конец", 0), 0u) << presenter.View().Comment;
    ASSERT_TRUE(presenter.Type(VK_NEXT));
    ExpectCleanEnd(demo);
}

// A logoff ends the conductor at once, from inside its message loop.
class DemoEndedEarly : public testing::TestWithParam<UINT> {};

TEST_P(DemoEndedEarly, EndsEveryStationAndLeavesNoSchemeFile) {
    TTempFolder folder("demo early");
    TChild demo = LaunchDemo(folder, "two.KelvoDemo", TwoStations);
    std::vector<HWND> stations;
    ASSERT_TRUE(PumpUntil(
        [&] {
            stations = {FindWindowA(StationClass, StationTitle("DemoAlpha").c_str()),
                        FindWindowA(StationClass, StationTitle("DemoBeta").c_str())};
            return stations[0] && stations[1];
        },
        20000))
        << "the stations did not start";
    // A logoff that another program cancelled: the demonstration goes on.
    SendMessageA(WaitForTopWindow(demo.Id(), ConductorClass), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(Exists(TempFolder() + "DemoAlpha.kelvo")) << "a cancelled logoff deleted a file";
    EXPECT_FALSE(PumpUntil([&] { return !IsWindow(stations[0]) || !IsWindow(stations[1]); }, 500))
        << "a cancelled logoff ended a station";
    EndPanel(demo, GetParam());
    ExpectCleanEnd(demo);
}

INSTANTIATE_TEST_SUITE_P(ClosedOrLoggedOff, DemoEndedEarly,
                         testing::Values(UINT{WM_CLOSE}, UINT{WM_ENDSESSION}),
                         [](const testing::TestParamInfo<UINT>& info) {
                             return info.param == WM_CLOSE ? "PanelClosed" : "SessionEnded";
                         });

} // namespace
