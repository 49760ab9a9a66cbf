#pragma once
// The step sequencer: it awaits the stations' acknowledgements, shows each step's comment,
// and runs a step's commands one after another when the button is pressed.

#include "toolkit/WinObj.h"
#include "util/TextList.h"

#include <cstdint>
#include <memory>
#include <string>

// The names of the stations whose QM_OK is awaited, sorted without regard to case.
extern std::unique_ptr<TTextList> WaitList;
// The command being executed, or the next one while a step is only shown; -1 before the first.
extern std::int32_t CurCmd;

void WaitFor(const std::string& name);
void Acknowledge(const std::string& name);
void WaitForNone();
// Shows what is awaited, or moves the demonstration on once nothing is.
void Proceed();
// The button's click handler.
void NextClick(void* data, TWinObj* sender);
void ExecuteCmd();

// Copies the first file of station FROM's output folder into station TO's input folder.
void TransferFile(std::int32_t from, std::int32_t to);
// The first entry of FOLDER other than "." and "..", or empty.
std::string FirstFileIn(const std::string& folder);

// The panel's message hook: it takes the stations' QM_OK.
class TQMsgReceiver {
public:
    bool HandleMessage(MSG& msg, LRESULT& result);
    // The hook in the form the panel takes.
    static bool Hook(void* receiver, MSG* msg, LRESULT* result);
};
