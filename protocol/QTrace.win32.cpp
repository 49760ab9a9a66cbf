#include "protocol/QTrace.h"

#include "protocol/QWindowNames.h"
#include "util/CmdLine.h"
#include "util/TextUtils.h"

#include <algorithm>

namespace {

// The trace window found at start-up; lines go nowhere when there was none.
HWND TraceWindow = nullptr;

} // namespace

std::string ProgramTitle(const std::string& exePath) {
    std::string title = FileNamePart(exePath);
    title.erase(std::min(title.find('.'), title.size()));
    if (title.size() > 1)
        CharLowerA(&title[1]);
    return title;
}

void InitTrace() {
    TraceWindow = FindWindowA(TraceClass, TraceTitle);
}

bool Tracing() {
    return TraceWindow != nullptr;
}

void Trace(const std::string& text) {
    if (!TraceWindow)
        return;
    std::string line = ProgramTitle(ProgramPath()) + " " + text;
    SendMessageA(TraceWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
}
