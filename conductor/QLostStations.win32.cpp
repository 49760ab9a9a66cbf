#include "conductor/QLostStations.h"

#include "conductor/QControlPanel.h"
#include "os/WinHandle.h"
#include "protocol/QPanelTexts.h"
#include "protocol/QTrace.h"
#include "script/QTestMessage.h"
#include "util/TextUtils.h"

#include <algorithm>

namespace {

constexpr UINT_PTR WaitTimer = 1;
constexpr UINT LookEveryMs = 1000;
// A wait up to this long is the usual hand-off: the panel keeps quiet about it.
constexpr int QuietSeconds = 3;
// A station that has not answered for this long may be hung: the presenter may pass it over.
// A sync can take minutes, so the panel never passes a live station over by itself; but no
// step of a rehearsed demonstration keeps the audience waiting half a minute, and a presenter
// should not stand longer than that before a station that will never answer.
constexpr int SilentSeconds = 30;
// A program may hand over to another process and end at once: its window may come this
// long after its end.
constexpr ULONGLONG HandOverMs = 2000;

enum class TLoss { WindowClosed, NotStarted, Ended, Silent };

// The process of a started station, and when it was first seen to have ended (0: running).
struct TStationProcess {
    std::string Name;
    win::TKernelHandle Process;
    ULONGLONG EndedAt = 0;
};

struct TLostStation {
    std::string Name;
    TLoss Loss;
};

// Everything the watch keeps, for one demonstration.
struct TWaitWatch {
    HWND Window = nullptr; // the panel's, which has the timer while a wait lasts
    ULONGLONG Since = 0;
    bool StateShown = false; // the comment box holds the state of the wait
    bool SkipOffered = false;
    std::string ButtonCaption; // the button's caption before it offered «Пропустить»
    std::vector<std::string> NotStarted;
    std::vector<TStationProcess> Processes;
    std::vector<std::string> PassedOver; // passed over, and silent since
};

TWaitWatch Watch;

// A panel made afresh begins without a wait, whatever the one before it left.
bool Waiting() {
    return Watch.Window && Watch.Window == PanelForm->Window;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool HasAnswered(const std::string& name) {
    const int side = FindSide(name);
    return side >= 0 && !Sides[side].InputDir.empty();
}

int WaitedSeconds() {
    return static_cast<int>((GetTickCount64() - Watch.Since + 500) / 1000);
}

// Whether the station's process has ended, and no window of it has come since; a station
// whose process is not known never has.
bool EndedWithoutWindow(const std::string& name) {
    const auto found = std::find_if(Watch.Processes.begin(), Watch.Processes.end(),
                                    [&](const TStationProcess& p) { return p.Name == name; });
    if (found == Watch.Processes.end())
        return false;
    if (found->EndedAt == 0) {
        if (WaitForSingleObject(found->Process.get(), 0) != WAIT_OBJECT_0)
            return false;
        found->EndedAt = GetTickCount64();
    }
    return GetTickCount64() - found->EndedAt >= HandOverMs && !FindStationWindow(name);
}

// A station that has never answered may still be starting, unless its process has ended
// without a window; one that has answered and has no window any more has ended. Any other
// may be passed over once it has been silent too long.
std::vector<TLostStation> LostStations(const TTextList& awaited) {
    std::vector<TLostStation> lost;
    for (int i = 0; i < awaited.Count(); ++i) {
        const std::string name = awaited.Item(i);
        if (Contains(Watch.NotStarted, name))
            lost.push_back({name, TLoss::NotStarted});
        else if (HasAnswered(name) && !FindStationWindow(name))
            lost.push_back({name, TLoss::WindowClosed});
        else if (EndedWithoutWindow(name))
            lost.push_back({name, TLoss::Ended});
        else if (WaitedSeconds() >= SilentSeconds)
            lost.push_back({name, TLoss::Silent});
    }
    return lost;
}

std::string LossText(const TLostStation& station) {
    switch (station.Loss) {
    case TLoss::NotStarted:
        return "станция не запустилась";
    case TLoss::WindowClosed:
        return "окно станции закрыто";
    case TLoss::Ended:
        return "станция завершилась до ответа";
    case TLoss::Silent:
        break;
    }
    return "нет ответа " + IntToDecimal(WaitedSeconds()) + " с, " +
           (FindStationWindow(station.Name) ? "окно станции открыто" : "окна станции нет");
}

std::string StateText(const TTextList& awaited, const std::vector<TLostStation>& lost) {
    std::string text = "Жду ответа " + IntToDecimal(WaitedSeconds()) + " с: ";
    for (int i = 0; i < awaited.Count(); ++i)
        text += (i > 0 ? ", " : "") + awaited.Item(i);
    for (const TLostStation& station : lost)
        text += "\r\n" + station.Name + ": " + LossText(station);
    if (!lost.empty())
        text += "\r\nНажмите «Пропустить», чтобы продолжить без них.";
    return text;
}

void OfferSkip(bool on) {
    if (on == Watch.SkipOffered)
        return;
    Watch.SkipOffered = on;
    if (!on) {
        SetEnabled(NextButton, false);
        SetCaption(NextButton, Watch.ButtonCaption);
        return;
    }
    Watch.ButtonCaption = NextButton->Caption;
    SetCaption(NextButton, SkipCaption);
    SetEnabled(NextButton, true);
    if (!IsFocused(CommentBox))
        SetFocus(EnsureWindow(NextButton));
    // The presenter was watching the stations; Enter is to reach the panel.
    if (IsWindowVisible(EnsureWindow(PanelForm)))
        SetForegroundWindow(PanelForm->Window);
}

void ShowState(const TTextList& awaited) {
    const std::vector<TLostStation> lost = LostStations(awaited);
    if (!lost.empty() || WaitedSeconds() >= QuietSeconds) {
        SetCaption(CommentBox, StateText(awaited, lost));
        Watch.StateShown = true;
    } else if (Watch.StateShown) {
        ClearText(CommentBox);
        Watch.StateShown = false;
    }
    OfferSkip(!lost.empty());
}

} // namespace

void ResetLostStations() {
    if (Watch.Window)
        KillTimer(Watch.Window, WaitTimer);
    Watch = TWaitWatch{};
}

void NoteStarted(const std::string& name, win::TKernelHandle process) {
    Watch.Processes.push_back({name, std::move(process), 0});
}

void NoteStartFailed(const std::string& name) {
    if (!Contains(Watch.NotStarted, name))
        Watch.NotStarted.push_back(name);
}

void WatchWait(const TTextList& awaited) {
    if (!Waiting()) {
        Watch.Window = EnsureWindow(PanelForm);
        Watch.Since = GetTickCount64();
        Watch.StateShown = false;
        Watch.SkipOffered = false;
        SetTimer(Watch.Window, WaitTimer, LookEveryMs, nullptr);
    }
    ShowState(awaited);
}

void EndWaitWatch() {
    const bool waiting = Waiting();
    if (Watch.Window)
        KillTimer(Watch.Window, WaitTimer);
    Watch.Window = nullptr;
    if (!waiting)
        return;
    if (Watch.StateShown)
        ClearText(CommentBox);
    Watch.StateShown = false;
    OfferSkip(false);
}

bool HandleWaitTimer(const MSG& msg, const TTextList& awaited) {
    if (msg.message != WM_TIMER || msg.wParam != WaitTimer || msg.hwnd != PanelForm->Window)
        return false;
    if (Waiting() && awaited.Count() > 0)
        ShowState(awaited);
    return true;
}

bool SkipOffered() {
    return Watch.SkipOffered && Waiting();
}

std::vector<std::string> PassOverLostStations(const TTextList& awaited) {
    std::vector<std::string> names;
    for (const TLostStation& station : LostStations(awaited)) {
        names.push_back(station.Name);
        if (!Contains(Watch.PassedOver, station.Name))
            Watch.PassedOver.push_back(station.Name);
    }
    OfferSkip(false);
    return names;
}

bool IsPassedOverAnswer(const std::string& name, const TTextList& awaited) {
    const auto found = std::find(Watch.PassedOver.begin(), Watch.PassedOver.end(), name);
    if (found == Watch.PassedOver.end())
        return false;
    Watch.PassedOver.erase(found);
    return awaited.IndexOf(name) < 0;
}
