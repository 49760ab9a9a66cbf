// A program that runs one form until its loop ends and then exits with 3.
#include "toolkit/WinLoop.h"

int main() {
    TWinObj* form = MakeForm(nullptr, "Loop child");
    SetWindowClassName(form, "TKelvoLoopChild");
    MakeButton(form, "OK");
    RunMainWindow(form);
    return 3;
}
