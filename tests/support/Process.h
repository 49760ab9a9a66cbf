#pragma once
// Child processes of a test: started with a command line and an environment, waited for
// with a deadline, killed when they overrun it; and a whole run of a program whose message
// boxes are read and answered.

#include "os/WinHandle.h"
#include "tests/support/TopWindows.h"
#include "tests/support/Where.h"

#include <string>
#include <vector>

namespace support {

// The folder of the running test program, with its trailing backslash: the programs built
// with the tests are there.
std::string ProgramFolder();

// A started program. One still running when its owner goes is killed.
class TChild {
public:
    // Starts `exe` with the command line `"exe" args`. `environment` holds "NAME=value"
    // entries that are added to this process's environment, or replace its entries of the same
    // name. A program that cannot be started is reported at the caller and leaves the child
    // empty.
    TChild(const std::string& exe, const std::string& args,
           const std::vector<std::string>& environment = {}, TWhere where = TWhere::current());
    TChild(TChild&&) noexcept = default;
    TChild& operator=(TChild&&) = delete;
    ~TChild();

    explicit operator bool() const { return static_cast<bool>(info_.Process); }
    DWORD Id() const { return info_.ProcessId; }
    HANDLE Handle() const { return info_.Process.get(); }

    // Waits for the end, dispatching this thread's messages meanwhile; false when it is still
    // running after `timeoutMs`.
    bool Wait(DWORD timeoutMs);
    // Ends it with exit code 99 and waits for the end.
    void Kill();
    // Its exit code; STILL_ACTIVE while it runs.
    DWORD ExitCode() const;

private:
    win::TProcessInfo info_;
};

struct TRun {
    bool Ended = false; // false: still running at the deadline, and killed
    DWORD ExitCode = 0;
    std::vector<TBox> Boxes; // every message box it showed, in order
};

// Runs `exe` with `args` to its end; every message box it shows is read and answered with
// OK. A program still running after `timeoutMs` is killed.
TRun RunProgram(const std::string& exe, const std::string& args, DWORD timeoutMs = 30000,
                TWhere where = TWhere::current());

} // namespace support
