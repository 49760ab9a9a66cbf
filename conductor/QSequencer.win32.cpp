#include "conductor/QSequencer.h"

#include "conductor/QControlPanel.h"
#include "conductor/QLostStations.h"
#include "conductor/QStations.h"
#include "protocol/QExchangeFolders.h"
#include "protocol/QPanelTexts.h"
#include "protocol/QTrace.h"
#include "script/QTestMessage.h"
#include "toolkit/WinLoop.h"
#include "util/TextUtils.h"

std::unique_ptr<TTextList> WaitList;
std::int32_t CurCmd = -1;

namespace {

std::int32_t LastStep() {
    return static_cast<std::int32_t>(Steps.size()) - 1;
}

std::string WaitingText() {
    std::string text = WaitingPrefix;
    for (int i = 0; i < WaitList->Count(); ++i) {
        if (i > 0)
            text += ',';
        text += WaitList->Item(i);
    }
    return text;
}

// Shows the step after the current one; past the last (a script without steps) only the
// button that ends the demonstration.
void ShowNextStep() {
    CurCmd = 0;
    ++CurStep;
    SetEnabled(NextButton, true);
    if (!IsFocused(CommentBox))
        SetFocus(EnsureWindow(NextButton));
    if (CurStep <= LastStep()) {
        const std::string& comment = Steps[CurStep].Comment;
        SetCaption(CommentBox, comment.empty() ? NoCommentText : comment);
    }
    SetCaption(NextButton, CurStep >= LastStep() ? LastCaption : NextCaption);
}

// The lost stations are taken as if they had answered, all at once, so that the panel moves
// on only once.
void PassOver() {
    for (const std::string& name : PassOverLostStations(*WaitList))
        if (const int index = WaitList->IndexOf(name); index >= 0)
            WaitList->Delete(index);
    Proceed();
}

} // namespace

void WaitFor(const std::string& name) {
    if (WaitList->IndexOf(name) < 0) {
        WaitList->Add(name);
        WaitList->Sort(false);
    }
    Proceed();
}

void Acknowledge(const std::string& name) {
    const int index = WaitList->IndexOf(name);
    if (index >= 0) {
        WaitList->Delete(index);
        WaitList->Sort(false);
    }
    Proceed();
}

void WaitForNone() {
    WaitList->Clear();
    Proceed();
}

void Proceed() {
    if (WaitList->Count() > 0) {
        SetCaption(StateLabel, WaitingText());
        WatchWait(*WaitList);
        return;
    }
    EndWaitWatch();
    // The last step is the closing screen: nothing runs on it, nothing follows it.
    const bool closing = CurStep >= 0 && CurStep >= LastStep();
    // The step's next command goes out first, so that its station waits for nothing else;
    // the panel comes to the front right after. "Готово" would be overwritten unseen.
    if (!closing && CurStep >= 0 &&
        ++CurCmd < static_cast<std::int32_t>(Steps[CurStep].Cmds.size())) {
        ExecuteCmd();
        SetForegroundWindow(EnsureWindow(PanelForm));
        return;
    }
    SetCaption(StateLabel, ReadyText);
    SetForegroundWindow(EnsureWindow(PanelForm));
    if (!closing)
        ShowNextStep();
}

void NextClick(void*, TWinObj*) {
    if (SkipOffered()) {
        PassOver();
        return;
    }
    SetEnabled(NextButton, false);
    ClearText(CommentBox);
    if (CurStep >= LastStep()) {
        PostClose(PanelForm);
        return;
    }
    if (Steps[CurStep].Cmds.empty()) {
        WaitForNone(); // a step without commands: on to the next one
        return;
    }
    ExecuteCmd();
}

void ExecuteCmd() {
    const TQTestCmd& cmd = Steps[CurStep].Cmds[CurCmd];
    if (cmd.Msg == QM_SEND) {
        TransferFile(cmd.Side, cmd.Arg);
        WaitForNone();
        return;
    }
    const std::string& name = Sides[cmd.Side].Name;
    SendQM(static_cast<WPARAM>(-1), name, cmd.Msg, 0);
    WaitFor(name);
}

std::string FirstFileIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    win::TFindHandle find(FindFirstFileA((folder + "*.*").c_str(), &found));
    if (!find)
        return {};
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            return name;
    } while (FindNextFileA(find.get(), &found));
    return {};
}

void TransferFile(std::int32_t from, std::int32_t to) {
    const std::string file = FirstFileIn(Sides[from].OutputDir);
    const bool copied = CopyFileA((Sides[from].OutputDir + file).c_str(),
                                  (Sides[to].InputDir + file).c_str(), FALSE);
    Trace(copied ? "  Transfer Ok" : "  Transfer Error");
}

bool TQMsgReceiver::HandleMessage(MSG& msg, LRESULT&) {
    if (msg.message == WM_TIMER)
        return WaitList && HandleWaitTimer(msg, *WaitList);
    if (msg.message != static_cast<UINT>(QM_OK))
        return false;
    if (msg.wParam >= Sides.size()) {
        Trace("QM_OK from an unknown station " + IntToDecimal(static_cast<int>(msg.wParam)));
        return true;
    }
    TQTestSide& side = Sides[msg.wParam];
    if (side.InputDir.empty()) {
        const TExchangeFolders folders =
            ExchangeFolders(TempDir, static_cast<std::uint32_t>(msg.lParam), side.Name);
        side.InputDir = folders.Input;
        side.OutputDir = folders.Output;
    }
    if (IsPassedOverAnswer(side.Name, *WaitList))
        return true;
    Acknowledge(side.Name);
    return true;
}

bool TQMsgReceiver::Hook(void* receiver, MSG* msg, LRESULT* result) {
    return static_cast<TQMsgReceiver*>(receiver)->HandleMessage(*msg, *result);
}
