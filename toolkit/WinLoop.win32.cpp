// The main window and the message loop that runs it until it closes.
#include "toolkit/WinLoop.h"
#include "toolkit/WinState.h"

TWinObj* MainWindow() {
    return Toolkit().MainWindow;
}

void SetMainWindow(TWinObj* form) {
    Toolkit().MainWindow = form;
}

bool LoopRunning() {
    return Toolkit().Running > 0;
}

bool Terminated() {
    return Toolkit().Terminated;
}

void PostClose(TWinObj* obj) {
    PostMessageW(obj->Window, WM_CLOSE, 0, 0);
}

namespace {

void PumpUntilQuiet(TToolkitState& kit) {
    MSG msg;
    while (!kit.Terminated && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            kit.Terminated = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Loop(TToolkitState& kit, TWinObj* form) {
    kit.Terminated = false;
    ++kit.Running;
    kit.MainWindow = form;
    ShowObjWindow(form);
    while (!kit.Terminated) {
        WaitMessage();
        PumpUntilQuiet(kit);
    }
}

} // namespace

void RunMainWindow(TWinObj*& form) {
    TToolkitState& kit = Toolkit();
    // A handler that failed while the program was still starting ends it now, not after a
    // whole session behind a form that seems to work.
    if (!kit.PendingError)
        Loop(kit, form);
    kit.Running = 0;
    kit.MainWindow = nullptr;
    TWinObj* done = form;
    form = nullptr;
    FreeObj(done);
    kit.PendingError.Rethrow();
}
