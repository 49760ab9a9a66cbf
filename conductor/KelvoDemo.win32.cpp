#include "conductor/KelvoDemo.h"

#include "conductor/QControlPanel.h"
#include "conductor/QDemoSession.h"
#include "conductor/QSequencer.h"
#include "conductor/QStations.h"
#include "conductor/QVenueBox.h"
#include "protocol/QTrace.h"
#include "script/QTestMessage.h"

#include "errors/err.h"
#include "shellreg/UnitReg2.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WinLoop.h"
#include "util/CmdLine.h"

#include <string>

namespace {

// However the demonstration ends once the stations are being started (normally, with the
// panel closed early, or by an error), every station is told to quit and every scheme file
// is deleted; an error then goes on to the last-resort box.
class TShutdown {
public:
    TShutdown() = default;
    TShutdown(const TShutdown&) = delete;
    TShutdown& operator=(const TShutdown&) = delete;
    ~TShutdown() {
        StopStations();
        WaitList.reset();
        Steps.clear();
        Sides.clear();
    }
};

// Logging off ends the process from inside the message loop, past TShutdown: the panel
// sees the end of the session first, so that the stations still hear QM_QUIT and no scheme
// file is left in the temporary folder for good. A clicker's keys come before the controls
// see them.
bool PanelHook(void* receiver, MSG* msg, LRESULT* result) {
    if (msg->message == WM_ENDSESSION && msg->wParam)
        StopStations();
    if (HandleClickerKey(*msg))
        return true;
    return TQMsgReceiver::Hook(receiver, msg, result);
}

void RunDemo() {
    // Before anything of the run: a second one must write no file and start no station.
    const TDemoSession session;
    if (!session.Claimed()) {
        ShowRunningDemo();
        return;
    }
    TQMsgReceiver receiver;
    BuildControlPanel(MakeEventRef(&receiver, PanelHook), MakeEventRef(nullptr, NextClick));
    Steps.clear();
    WaitList = std::make_unique<TTextList>();
    TShutdown shutdown;
    StartDemo();
    RunMainWindow(PanelForm);
}

// What the first parameter asks for. Only the exact, case-sensitive switches count.
enum class TEntryAction { MissingParameter, Register, Unregister, Check, Demo };

TEntryAction EntryActionOf(const std::string& firstParam) {
    if (firstParam.empty())
        return TEntryAction::MissingParameter;
    if (firstParam == "/register")
        return TEntryAction::Register;
    if (firstParam == "/unregister")
        return TEntryAction::Unregister;
    if (firstParam == "/check")
        return TEntryAction::Check;
    return TEntryAction::Demo;
}

} // namespace

int RunKelvoDemo() {
    // Once, before anything traces: a trace window opened later is not looked for.
    InitTrace();
    const std::string first = CmdLineParam(1);
    switch (EntryActionOf(first)) {
    case TEntryAction::MissingParameter:
        ShowOkMessage("Parameter missing");
        return 0;
    case TEntryAction::Register:
        RegisterFileTypes();
        return 0;
    case TEntryAction::Unregister:
        UnregisterFileTypes();
        return 0;
    case TEntryAction::Check:
        return ShowVenueCheck(WideCmdLineParam(2)) ? 0 : 1;
    case TEntryAction::Demo:
        RunDemo();
    }
    return 0;
}
