#include "Rehearsal.h"

#include "Screenshot.h"

#include "os/WinHandle.h"
#include "protocol/QExchangeFolders.h"
#include "protocol/QPanelTexts.h"
#include "protocol/QWindowNames.h"
#include "tools/panelprobe/PanelProbe.h"
#include "tools/panelprobe/Press.h"
#include "util/LineBreaks.h"
#include "util/TextUtils.h"

#include <windows.h>

#include <algorithm>
#include <functional>

namespace {

constexpr DWORD PollMs = 10;
// A press after which the panel shows no change for this long did not reach it.
constexpr DWORD PressGraceMs = 1500;
// For the conductor to end after its last step, or after its panel was closed.
constexpr DWORD ConductorEndingMs = 30000;
// For the stations to end after the conductor.
constexpr DWORD StationsEndingMs = 20000;

// The panel as one poll saw it.
struct TLook {
    bool PanelThere = false;
    TPanelView View;
};

enum class TWaitEnd { Done, ConductorEnded, TimedOut };

struct TSeenStation {
    std::string Name;
    DWORD ProcessId = 0;
    win::TKernelHandle Process;
    HWND Window = nullptr;
    bool SeenHidden = false;
};

std::string Seconds(DWORD ms) {
    return FormatText("%u.%u s", {ms / 1000, ms % 1000 / 100});
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::vector<std::string> ExchangeRoots(const std::string& tempDir) {
    std::vector<std::string> folders;
    WIN32_FIND_DATAA entry{};
    win::TFindHandle find(FindFirstFileA((tempDir + ExchangeRootPrefix + "*").c_str(), &entry));
    if (find) {
        do {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(tempDir + entry.cFileName);
        } while (FindNextFileA(find.get(), &entry));
    }
    return folders;
}

void MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find_first_of("\\/", 1); slash != std::string::npos;
         slash = path.find_first_of("\\/", slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

// Follows one wait of the panel: how long it waited, and for how long its label named each
// station as awaited.
class TWaitTracker {
public:
    explicit TWaitTracker(TPanelWait& wait) : wait_(wait) {}

    void Saw(const TLook& look) {
        const DWORD now = GetTickCount();
        for (const std::string& name : awaited_)
            WaitOf(name).Ms += now - last_;
        last_ = now;
        wait_.Ms = now - start_;
        if (!look.PanelThere)
            return;
        const std::string& label = look.View.Label;
        if (!label.empty() && (wait_.Labels.empty() || wait_.Labels.back() != label))
            wait_.Labels.push_back(label);
        awaited_ = AwaitedStations(label);
        for (const std::string& name : awaited_)
            WaitOf(name);
    }
    DWORD Elapsed() const { return GetTickCount() - start_; }
    const std::vector<std::string>& Awaited() const { return awaited_; }
    void TimedOut(const std::string& shot) {
        wait_.TimedOut = true;
        wait_.Silent = awaited_;
        wait_.TimeOutShot = shot;
    }

private:
    TStationWait& WaitOf(const std::string& name) {
        auto found = std::find_if(wait_.Waits.begin(), wait_.Waits.end(),
                                  [&](const TStationWait& w) { return w.Station == name; });
        return found != wait_.Waits.end() ? *found
                                          : wait_.Waits.emplace_back(TStationWait{name, 0});
    }

    TPanelWait& wait_;
    const DWORD start_ = GetTickCount();
    DWORD last_ = start_;
    std::vector<std::string> awaited_;
};

class TRun {
public:
    TRun(const TRehearseOptions& options, const TScriptOutline& script, std::string tempDir,
         TRehearsalReport& report)
        : options_(options), script_(script), tempDir_(std::move(tempDir)), report_(report) {}

    void Execute(const std::string& conductorExe) {
        if (AnyPanel()) {
            Fail("another control panel is open; the stations would answer it");
            return;
        }
        if (!options_.ShotsDir.empty())
            MakeFolders(options_.ShotsDir);
        for (const TStationWindow& station : StationWindows())
            earlierStations_.push_back(station.Window);
        foldersBefore_ = ExchangeRoots(tempDir_);
        if (!Launch(conductorExe))
            return;
        if (RunLoading())
            RunSteps();
        EndConductor();
        CheckStationsEnded();
        CheckLeftovers();
    }

private:
    void Fail(const std::string& text) { report_.Failures.push_back(text); }
    void Note(const std::string& text) { report_.Notes.push_back(text); }

    bool Launch(const std::string& exe) {
        std::string cmdLine = "\"" + exe + "\" \"" + FullPath(options_.Script) + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(exe.c_str(), cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &pi)) {
            Fail("cannot start " + exe + ": error " +
                 IntToDecimal(static_cast<int>(GetLastError())));
            return false;
        }
        conductor_ = win::TProcessInfo(pi);
        return true;
    }

    bool ConductorEnded() const {
        return WaitForSingleObject(conductor_.Process.get(), 0) == WAIT_OBJECT_0;
    }

    TLook Look() {
        TLook look;
        look.PanelThere = !ConductorEnded() && FindPanel(conductor_.ProcessId, panel_);
        if (look.PanelThere)
            look.View = ReadPanel(panel_);
        return look;
    }

    // Polls until DONE holds, the conductor ends, or the tracker's wait reaches LIMITMS.
    TWaitEnd WaitFor(TWaitTracker& tracker, DWORD limitMs,
                     const std::function<bool(const TLook&)>& done) {
        for (;;) {
            Observe();
            last_ = Look();
            tracker.Saw(last_);
            if (!last_.PanelThere && ConductorEnded())
                return TWaitEnd::ConductorEnded;
            if (done(last_))
                return TWaitEnd::Done;
            if (tracker.Elapsed() >= limitMs)
                return TWaitEnd::TimedOut;
            Sleep(PollMs);
        }
    }

    bool RunLoading() {
        TWaitTracker tracker(report_.Loading);
        const TWaitEnd end = WaitFor(tracker, options_.TimeoutMs, [](const TLook& look) {
            return look.PanelThere && look.View.Enabled;
        });
        if (end == TWaitEnd::ConductorEnded)
            Fail("KelvoDemo.exe ended before the demonstration began");
        else if (end == TWaitEnd::TimedOut)
            FailTimeOut(tracker, "while the stations started");
        return end == TWaitEnd::Done;
    }

    void RunSteps() {
        for (std::size_t index = 0; index < script_.Comments.size(); ++index) {
            const std::size_t failuresBefore = report_.Failures.size();
            const bool goOn = RunStep(index);
            report_.Steps.back().Failed = report_.Failures.size() > failuresBefore;
            if (!goOn)
                return;
        }
    }

    // Records, shows and presses step INDEX; false when the run goes no further.
    bool RunStep(std::size_t index) {
        TStepRecord& step = report_.Steps.emplace_back();
        const TLook before = Look();
        if (!before.PanelThere) {
            Fail("the control panel went away before step " +
                 IntToDecimal(static_cast<int>(index + 1)));
            return false;
        }
        step.Caption = before.View.Caption;
        step.Comment = before.View.Comment;
        step.Sent = script_.Commands[index];
        CheckShownStep(index, before.View);
        CheckStationsShown(index);
        step.Screenshot = Screenshot("step-" + FormatText("%02u", {index + 1}));
        const bool closing = before.View.Caption == LastCaption;
        const bool last = index + 1 == script_.Comments.size();
        const std::string nextComment =
            last ? std::string() : WithoutLineBreaks(script_.Comments[index + 1]);
        TWaitTracker tracker(step.Commands);
        bool movedOn = PressAndSee(step, tracker, before, nextComment);
        const std::string when = "at step " + IntToDecimal(static_cast<int>(index + 1));
        const TWaitEnd end = WaitFor(tracker, closing ? ConductorEndingMs : options_.TimeoutMs,
                                     [&](const TLook& look) {
                                         movedOn = movedOn || Changed(before, look);
                                         return !closing && movedOn && look.View.Enabled;
                                     });
        if (end == TWaitEnd::Done)
            return true;
        if (end == TWaitEnd::TimedOut && closing)
            Fail("KelvoDemo.exe did not end after \"" + std::string(LastCaption) +
                 "\" was pressed");
        else if (end == TWaitEnd::TimedOut)
            FailTimeOut(tracker, when);
        else if (!closing)
            Fail("KelvoDemo.exe ended " + when);
        return false;
    }

    static bool Changed(const TLook& before, const TLook& look) {
        return !look.PanelThere || !look.View.Enabled || look.View.Caption != before.View.Caption ||
               look.View.Comment != before.View.Comment;
    }

    // Presses the button and waits a little for the panel to show it. A step whose commands
    // all complete at once (transfers) may come back looking as it was, when the next step's
    // comment is the same: then the panel showing that comment is all there is to see.
    bool PressAndSee(TStepRecord& step, TWaitTracker& tracker, const TLook& before,
                     const std::string& nextComment) {
        Press(step);
        bool changed = false;
        WaitFor(tracker, PressGraceMs,
                [&](const TLook& look) { return changed = Changed(before, look); });
        if (changed || (!nextComment.empty() && nextComment == before.View.Comment))
            return true;
        if (step.PressedBy == "input") {
            Note("the Enter key did not reach the panel; pressed with BM_CLICK");
            ClickButton(panel_.Button);
            step.PressedBy = "BM_CLICK";
        }
        return false;
    }

    void Press(TStepRecord& step) {
        if (BringToFront(panel_.Form) && TypeEnter()) {
            step.PressedBy = "input";
            return;
        }
        Note("the panel did not come to the foreground; pressed with BM_CLICK");
        ClickButton(panel_.Button);
        step.PressedBy = "BM_CLICK";
    }

    void CheckShownStep(std::size_t index, const TPanelView& view) {
        const std::string number = IntToDecimal(static_cast<int>(index + 1));
        const std::string expected =
            index + 1 == script_.Comments.size() ? LastCaption : NextCaption;
        if (view.Caption != expected)
            Fail("step " + number + " shows the button \"" + view.Caption + "\", not \"" +
                 expected + "\"");
        if (panel_.Comment && view.Comment != WithoutLineBreaks(script_.Comments[index]))
            Note("step " + number + " shows another comment than the script's: \"" + view.Comment +
                 "\"");
    }

    // The audience must see the stations, however they were started.
    void CheckStationsShown(std::size_t index) {
        for (TSeenStation& station : seen_) {
            if (station.SeenHidden || !IsWindow(station.Window) || IsWindowVisible(station.Window))
                continue;
            station.SeenHidden = true;
            Fail("the window of station " + station.Name + " is hidden at step " +
                 IntToDecimal(static_cast<int>(index + 1)));
        }
    }

    void FailTimeOut(TWaitTracker& tracker, const std::string& when) {
        std::string text = "time-out after " + Seconds(tracker.Elapsed()) + " " + when + ": ";
        if (!last_.PanelThere)
            text += "KelvoDemo.exe showed no control panel";
        else if (!tracker.Awaited().empty())
            text += "no answer from " + Joined(tracker.Awaited());
        else
            text += "the panel did not move on (label \"" + last_.View.Label + "\")";
        Fail(text);
        const std::string shot = Screenshot("time-out");
        tracker.TimedOut(shot);
        if (!shot.empty())
            Note("the screen at the time-out: " + shot);
    }

    std::string Screenshot(const std::string& name) {
        if (options_.ShotsDir.empty())
            return {};
        Sleep(options_.SettleMs);
        const std::string& folder = options_.ShotsDir;
        const bool slashes =
            folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
        const std::string path = folder + (slashes ? "/" : "\\") + name + ".png";
        if (SaveScreenshot(path))
            return path;
        Note("the screenshot " + path + " could not be taken");
        return {};
    }

    // Keeps hold of every station that shows its window, and answers every message box of
    // the conductor and the stations, recording its text.
    void Observe() {
        for (const TStationWindow& window : StationWindows())
            Watch(window);
        AnswerBoxes(conductor_.ProcessId, "KelvoDemo.exe");
        for (const TSeenStation& station : seen_)
            AnswerBoxes(station.ProcessId, "station " + station.Name);
    }

    void Watch(const TStationWindow& window) {
        if (std::find(earlierStations_.begin(), earlierStations_.end(), window.Window) !=
                earlierStations_.end() ||
            std::any_of(seen_.begin(), seen_.end(),
                        [&](const TSeenStation& s) { return s.ProcessId == window.ProcessId; }))
            return;
        for (const std::string& name : script_.Stations) {
            if (lstrcmpiA(StationTitle(name).c_str(), window.Title.c_str()) != 0)
                continue;
            seen_.push_back({name, window.ProcessId,
                             win::TKernelHandle(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE |
                                                                PROCESS_QUERY_LIMITED_INFORMATION,
                                                            FALSE, window.ProcessId)),
                             window.Window});
            return;
        }
    }

    void AnswerBoxes(DWORD processId, const std::string& program) {
        for (const TMessageBox& box : MessageBoxesOf(processId)) {
            if (std::find(answered_.begin(), answered_.end(), box.Window) != answered_.end())
                continue;
            Fail(program + " showed the message \"" + box.Text + "\"");
            answered_.push_back(box.Window);
            DismissMessageBox(box.Window);
        }
    }

    void EndConductor() {
        if (!ConductorEnded()) {
            if (panel_.Form && IsWindow(panel_.Form)) {
                Note("the control panel was closed");
                PostMessageA(panel_.Form, WM_CLOSE, 0, 0);
            }
            const DWORD start = GetTickCount();
            while (!ConductorEnded() && GetTickCount() - start < ConductorEndingMs) {
                Observe();
                Sleep(50);
            }
        }
        if (!ConductorEnded()) {
            Fail("KelvoDemo.exe did not end; it was terminated");
            TerminateProcess(conductor_.Process.get(), 1);
            WaitForSingleObject(conductor_.Process.get(), 5000);
            return;
        }
        DWORD exitCode = 0;
        GetExitCodeProcess(conductor_.Process.get(), &exitCode);
        if (exitCode != 0)
            Fail("KelvoDemo.exe ended with exit code " + IntToDecimal(static_cast<int>(exitCode)));
    }

    void CheckStationsEnded() {
        const DWORD start = GetTickCount();
        for (TSeenStation& station : seen_) {
            const DWORD spent = GetTickCount() - start;
            const DWORD left = spent < StationsEndingMs ? StationsEndingMs - spent : 0;
            const bool ended = !station.Process ||
                               WaitForSingleObject(station.Process.get(), left) == WAIT_OBJECT_0;
            if (!ended) {
                Fail("station " + station.Name + " (process " +
                     IntToDecimal(static_cast<int>(station.ProcessId)) +
                     ") did not end; it was terminated");
                TerminateProcess(station.Process.get(), 1);
            }
            report_.StationProcesses.push_back({station.Name, station.ProcessId, ended});
        }
        for (const std::string& name : script_.Stations)
            if (std::none_of(seen_.begin(), seen_.end(),
                             [&](const TSeenStation& s) { return s.Name == name; }))
                Note("station " + name + " never showed its window");
    }

    void CheckLeftovers() {
        for (const std::string& name : script_.Stations) {
            const std::string scheme = tempDir_ + StationTitle(name);
            if (GetFileAttributesA(scheme.c_str()) == INVALID_FILE_ATTRIBUTES)
                continue;
            report_.SchemeFilesLeft.push_back(scheme);
            Fail("the scheme file " + scheme + " is left");
        }
        for (const std::string& folder : ExchangeRoots(tempDir_)) {
            if (std::find(foldersBefore_.begin(), foldersBefore_.end(), folder) !=
                foldersBefore_.end())
                continue;
            report_.FoldersLeft.push_back(folder);
            Note("the exchange folder " + folder + " is left");
        }
    }

    const TRehearseOptions& options_;
    const TScriptOutline& script_;
    const std::string tempDir_;
    TRehearsalReport& report_;
    win::TProcessInfo conductor_;
    TPanel panel_;
    TLook last_;
    std::vector<HWND> earlierStations_;
    std::vector<std::string> foldersBefore_;
    std::vector<TSeenStation> seen_;
    std::vector<HWND> answered_;
};

} // namespace

TRehearsalReport Rehearse(const TRehearseOptions& options, const TScriptOutline& script,
                          const std::string& conductorExe, const std::string& tempDir) {
    TRehearsalReport report;
    report.Script = options.Script;
    report.Stations = script.Stations;
    report.ScriptSteps = script.Comments.size();
    SYSTEMTIME now{};
    GetLocalTime(&now);
    report.Began =
        FormatText("%04u-%02u-%02u %02u:%02u:%02u",
                   {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
    const DWORD start = GetTickCount();
    TRun(options, script, tempDir, report).Execute(conductorExe);
    report.TotalMs = GetTickCount() - start;
    return report;
}
