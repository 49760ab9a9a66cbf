#pragma once
// Message sequences: a test records the messages its windows receive, from their window
// procedures or through TMsgHooks, and compares the recording with a table of what it
// expects:
//
//     const TMsg clicked[] = {
//         {WM_COMMAND, Sent | WParam, MAKEWPARAM(IDOK, BN_CLICKED), 0, "form"},
//         {WM_PAINT, Posted | Optional},
//         {WM_CLOSE, Posted, 0, 0, "form"},
//     };
//     log.Check(clicked, "a click on OK");
//
// The first difference is reported at the line of the Check, with both sequences.

#include "os/WinHandle.h"
#include "tests/support/Where.h"

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace support {

enum EMsgFlag : unsigned {
    // How the message arrived; a recorded and an expected entry must agree on all of these.
    Sent = 1u << 0,       // SendMessage, or a direct call of the window procedure
    Posted = 1u << 1,     // taken from the queue
    Hook = 1u << 2,       // seen by a hook (WH_CBT, WH_KEYBOARD...)
    DefWinProc = 1u << 3, // passed on to DefWindowProc
    HowMask = 0xFFu,
    // Only in expected entries.
    WParam = 1u << 8,    // wParam must be equal; ignored otherwise
    LParam = 1u << 9,    // lParam must be equal; ignored otherwise
    Optional = 1u << 10, // may be missing from the recording
};

// One expected message. `Window` is a name given with TMsgLog::Watch, or the name of the hook
// that recorded it (TRecordedMsg::By); null stands for any.
struct TMsg {
    UINT Message = 0;
    unsigned Flags = Sent;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    const char* Window = nullptr;
};

struct TRecordedMsg {
    HWND Window = nullptr;
    UINT Message = 0;
    unsigned Flags = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    // The hook that saw it, where several hooks see one window's messages and a table says
    // which one; it then stands for the window's name.
    const char* By = nullptr;
};

// "WM_COMMAND", "WM_USER+5", "WM_APP+1", or the number for a message of no known name.
std::string MsgName(UINT message);

// The recording of one thread's messages.
class TMsgLog {
public:
    // Names `window` for the expected tables and the reports. TMsgHooks record the messages of
    // named windows only.
    void Watch(HWND window, std::string name);
    bool Watches(HWND window) const { return names_.count(window) != 0; }
    // Leaves `message` out of every recording (WM_GETICON, WM_TIMER, ... that come and go).
    void Ignore(UINT message) { ignored_.insert(message); }
    // Records only `messages` from now on, less those it ignores.
    void RecordOnly(std::set<UINT> messages) { only_ = std::move(messages); }

    void Add(HWND window, UINT message, unsigned flags, WPARAM wParam, LPARAM lParam,
             const char* by = nullptr);
    void Clear() { recorded_.clear(); }
    const std::vector<TRecordedMsg>& Recorded() const { return recorded_; }

    // Compares the recording with `expected` and clears it. The first difference is reported
    // at the caller as a failure that names `context`; true when they agree.
    bool Check(std::span<const TMsg> expected, const std::string& context,
               TWhere where = TWhere::current());

    std::string Describe(const TMsg& msg) const;
    std::string Describe(const TRecordedMsg& msg) const;

private:
    std::string WindowName(HWND window) const;
    std::string NameOf(const TRecordedMsg& msg) const;

    std::map<HWND, std::string> names_;
    std::set<UINT> ignored_;
    std::optional<std::set<UINT>> only_;
    std::vector<TRecordedMsg> recorded_;
};

// Records into `log` every message of this thread that is sent to a window the log watches
// (WH_CALLWNDPROC) or taken from the queue for one (WH_GETMESSAGE), while it lives. One at a
// time per thread.
class TMsgHooks {
public:
    explicit TMsgHooks(TMsgLog& log, TWhere where = TWhere::current());
    TMsgHooks(const TMsgHooks&) = delete;
    TMsgHooks& operator=(const TMsgHooks&) = delete;
    ~TMsgHooks();

private:
    win::THook sent_;
    win::THook posted_;
};

} // namespace support
