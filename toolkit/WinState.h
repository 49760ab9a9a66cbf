#pragma once
// The toolkit's process-wide slots. One thread runs every window, so they are plain values.

#include "os/ParkedFailure.h"
#include "toolkit/WinObj.h"

#include <string>

struct TToolkitState {
    TWinObj* MainWindow = nullptr;
    int Running = 0;
    bool Terminated = false;
    TWinObj* CreationSlot = nullptr; // the object whose window is being created
    bool AnyAligned = false;         // docking runs on WM_SIZE only once something is aligned
    int NextControlId = 0x8000;
    bool OleReady = false;
    win::TModule RichEditLibrary;
    std::string RichEditClass;
    // An exception a handler raised: it ends the loop and is raised again when the loop
    // returns.
    win::TParkedFailure PendingError;
};

TToolkitState& Toolkit();
HINSTANCE ModuleInstance();
