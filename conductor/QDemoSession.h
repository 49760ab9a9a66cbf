#pragma once
// One demonstration at a time in a logon session: stations answer the first panel they find,
// so a second one would take answers meant for the first.

#include "os/WinHandle.h"

// The claim of this logon session for one demonstration run, held for the object's life.
class TDemoSession {
public:
    TDemoSession();
    // False when another run held the session already; this one then holds nothing.
    bool Claimed() const { return claimed_; }

private:
    win::TKernelHandle mutex_;
    bool claimed_ = false;
};

// What a second run does: the running panel comes to the front, and the presenter is told.
void ShowRunningDemo();
