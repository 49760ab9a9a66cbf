#include "tests/support/MsgSequence.h"

#include <cstdio>
#include <sstream>

namespace support {
namespace {

struct TMsgNameEntry {
    UINT Message;
    const char* Name;
};

#define KELVO_MSG(name)                                                                            \
    { name, #name }
const TMsgNameEntry MsgNames[] = {
    KELVO_MSG(WM_NULL),
    KELVO_MSG(WM_CREATE),
    KELVO_MSG(WM_DESTROY),
    KELVO_MSG(WM_MOVE),
    KELVO_MSG(WM_SIZE),
    KELVO_MSG(WM_ACTIVATE),
    KELVO_MSG(WM_SETFOCUS),
    KELVO_MSG(WM_KILLFOCUS),
    KELVO_MSG(WM_ENABLE),
    KELVO_MSG(WM_SETTEXT),
    KELVO_MSG(WM_GETTEXT),
    KELVO_MSG(WM_GETTEXTLENGTH),
    KELVO_MSG(WM_PAINT),
    KELVO_MSG(WM_CLOSE),
    KELVO_MSG(WM_QUIT),
    KELVO_MSG(WM_ERASEBKGND),
    KELVO_MSG(WM_SHOWWINDOW),
    KELVO_MSG(WM_ACTIVATEAPP),
    KELVO_MSG(WM_SETCURSOR),
    KELVO_MSG(WM_MOUSEACTIVATE),
    KELVO_MSG(WM_GETMINMAXINFO),
    KELVO_MSG(WM_SETFONT),
    KELVO_MSG(WM_GETFONT),
    KELVO_MSG(WM_WINDOWPOSCHANGING),
    KELVO_MSG(WM_WINDOWPOSCHANGED),
    KELVO_MSG(WM_NOTIFY),
    KELVO_MSG(WM_GETICON),
    KELVO_MSG(WM_SETICON),
    KELVO_MSG(WM_NCCREATE),
    KELVO_MSG(WM_NCDESTROY),
    KELVO_MSG(WM_NCCALCSIZE),
    KELVO_MSG(WM_NCHITTEST),
    KELVO_MSG(WM_NCPAINT),
    KELVO_MSG(WM_NCACTIVATE),
    KELVO_MSG(WM_GETDLGCODE),
    KELVO_MSG(WM_KEYDOWN),
    KELVO_MSG(WM_KEYUP),
    KELVO_MSG(WM_CHAR),
    KELVO_MSG(WM_SYSKEYDOWN),
    KELVO_MSG(WM_SYSKEYUP),
    KELVO_MSG(WM_SYSCHAR),
    KELVO_MSG(WM_INITDIALOG),
    KELVO_MSG(WM_COMMAND),
    KELVO_MSG(WM_SYSCOMMAND),
    KELVO_MSG(WM_TIMER),
    KELVO_MSG(WM_HSCROLL),
    KELVO_MSG(WM_VSCROLL),
    KELVO_MSG(WM_INITMENU),
    KELVO_MSG(WM_INITMENUPOPUP),
    KELVO_MSG(WM_MENUSELECT),
    KELVO_MSG(WM_ENTERIDLE),
    KELVO_MSG(WM_CTLCOLORBTN),
    KELVO_MSG(WM_CTLCOLORDLG),
    KELVO_MSG(WM_CTLCOLORSTATIC),
    KELVO_MSG(WM_MOUSEMOVE),
    KELVO_MSG(WM_LBUTTONDOWN),
    KELVO_MSG(WM_LBUTTONUP),
    KELVO_MSG(WM_LBUTTONDBLCLK),
    KELVO_MSG(WM_RBUTTONDOWN),
    KELVO_MSG(WM_RBUTTONUP),
    KELVO_MSG(WM_MOUSEWHEEL),
    KELVO_MSG(WM_PARENTNOTIFY),
    KELVO_MSG(WM_ENTERSIZEMOVE),
    KELVO_MSG(WM_EXITSIZEMOVE),
    KELVO_MSG(WM_CAPTURECHANGED),
    KELVO_MSG(WM_COPYDATA),
    KELVO_MSG(WM_NEXTDLGCTL),
    KELVO_MSG(WM_QUERYENDSESSION),
    KELVO_MSG(WM_ENDSESSION),
    KELVO_MSG(WM_CHILDACTIVATE),
    KELVO_MSG(WM_DRAWITEM),
    KELVO_MSG(WM_MEASUREITEM),
    KELVO_MSG(WM_IME_SETCONTEXT),
    KELVO_MSG(WM_IME_NOTIFY),
    KELVO_MSG(WM_SETREDRAW),
};
#undef KELVO_MSG

std::string Hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

// Whether `got` is the message `want` describes; the window is compared by its name.
bool Matches(const TMsg& want, const TRecordedMsg& got, const std::string& gotWindow) {
    return want.Message == got.Message && (want.Flags & HowMask) == (got.Flags & HowMask) &&
           (!(want.Flags & WParam) || want.WParam == got.WParam) &&
           (!(want.Flags & LParam) || want.LParam == got.LParam) &&
           (!want.Window || gotWindow == want.Window);
}

std::string HowOf(unsigned flags) {
    std::string how;
    for (auto [flag, word] : {std::pair{Sent, "sent"}, std::pair{Posted, "posted"},
                              std::pair{Hook, "hook"}, std::pair{DefWinProc, "defwinproc"}}) {
        if (!(flags & flag))
            continue;
        if (!how.empty())
            how += '|';
        how += word;
    }
    return how.empty() ? "-" : how;
}

// The HHOOK procedures have no parameter of their own: the log of this thread's hooks.
thread_local TMsgLog* hookedLog = nullptr;

LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && hookedLog && hookedLog->Watches(call->hwnd))
        hookedLog->Add(call->hwnd, call->message, Sent, call->wParam, call->lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK RecordPosted(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && hookedLog && hookedLog->Watches(msg->hwnd))
        hookedLog->Add(msg->hwnd, msg->message, Posted, msg->wParam, msg->lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

std::string MsgName(UINT message) {
    for (const TMsgNameEntry& entry : MsgNames)
        if (entry.Message == message)
            return entry.Name;
    if (message >= WM_APP && message < 0xC000)
        return "WM_APP+" + std::to_string(message - WM_APP);
    if (message >= WM_USER && message < WM_APP)
        return "WM_USER+" + std::to_string(message - WM_USER);
    return Hex(message);
}

void TMsgLog::Watch(HWND window, std::string name) {
    names_[window] = std::move(name);
}

void TMsgLog::Add(HWND window, UINT message, unsigned flags, WPARAM wParam, LPARAM lParam,
                  const char* by) {
    if (!ignored_.count(message) && (!only_ || only_->count(message)))
        recorded_.push_back({window, message, flags & HowMask, wParam, lParam, by});
}

std::string TMsgLog::WindowName(HWND window) const {
    auto named = names_.find(window);
    return named != names_.end() ? named->second : "window " + Hex(HandleToULong(window));
}

std::string TMsgLog::NameOf(const TRecordedMsg& msg) const {
    return msg.By ? msg.By : WindowName(msg.Window);
}

std::string TMsgLog::Describe(const TMsg& msg) const {
    std::string text = MsgName(msg.Message) + " " + HowOf(msg.Flags);
    if (msg.Flags & WParam)
        text += " wParam=" + Hex(msg.WParam);
    if (msg.Flags & LParam)
        text += " lParam=" + Hex(static_cast<ULONG_PTR>(msg.LParam));
    if (msg.Window)
        text += " to " + std::string(msg.Window);
    return text + (msg.Flags & Optional ? " (optional)" : "");
}

std::string TMsgLog::Describe(const TRecordedMsg& msg) const {
    return MsgName(msg.Message) + " " + HowOf(msg.Flags) + " wParam=" + Hex(msg.WParam) +
           " lParam=" + Hex(static_cast<ULONG_PTR>(msg.LParam)) + " to " + NameOf(msg);
}

bool TMsgLog::Check(std::span<const TMsg> expected, const std::string& context, TWhere where) {
    const std::vector<TRecordedMsg> got = std::move(recorded_);
    recorded_.clear();
    std::size_t e = 0;
    std::size_t g = 0;
    std::string difference;
    while (e < expected.size() && g < got.size() && difference.empty()) {
        if (Matches(expected[e], got[g], NameOf(got[g]))) {
            ++e;
            ++g;
        } else if (expected[e].Flags & Optional) {
            ++e;
        } else {
            difference = "message " + std::to_string(g) + ": expected " + Describe(expected[e]) +
                         ", got " + Describe(got[g]);
        }
    }
    while (difference.empty() && e < expected.size() && (expected[e].Flags & Optional))
        ++e;
    if (difference.empty() && e < expected.size())
        difference = "message " + std::to_string(g) + ": expected " + Describe(expected[e]) +
                     ", got nothing more";
    else if (difference.empty() && g < got.size())
        difference =
            "message " + std::to_string(g) + ": expected nothing more, got " + Describe(got[g]);
    if (difference.empty())
        return true;

    std::ostringstream report;
    report << context << ": " << difference << "\nrecorded:";
    for (std::size_t i = 0; i < got.size(); ++i)
        report << "\n  " << i << " " << Describe(got[i]);
    report << "\nexpected:";
    for (const TMsg& msg : expected)
        report << "\n    " << Describe(msg);
    FailAt(where, report.str());
    return false;
}

TMsgHooks::TMsgHooks(TMsgLog& log, TWhere where) {
    if (hookedLog)
        FailAt(where, "a second set of message hooks on one thread");
    hookedLog = &log;
    const DWORD thread = GetCurrentThreadId();
    sent_.reset(SetWindowsHookExA(WH_CALLWNDPROC, &RecordSent, nullptr, thread));
    posted_.reset(SetWindowsHookExA(WH_GETMESSAGE, &RecordPosted, nullptr, thread));
    if (!sent_ || !posted_)
        FailAt(where,
               "cannot hook this thread's messages: error " + std::to_string(GetLastError()));
}

TMsgHooks::~TMsgHooks() {
    sent_.reset();
    posted_.reset();
    hookedLog = nullptr;
}

} // namespace support
