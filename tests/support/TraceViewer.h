#pragma once
// The trace viewer (qtrace.exe) run for a test, writing every line it receives to a log file.

#include "protocol/QWindowNames.h"
#include "tests/support/Process.h"

#include <cctype>
#include <fstream>
#include <string>
#include <vector>

namespace traceviewer {

class TTraceViewer {
public:
    explicit TTraceViewer(const std::string& logName)
        : Process(support::ProgramFolder() + "qtrace.exe", "--log \"" + logName + "\"") {
        // Visible only once it is fully created and can take lines.
        if (Process)
            Window = support::WaitForTopWindow(Process.Id(), TraceClass, 10000);
    }
    ~TTraceViewer() {
        if (Window)
            PostMessageA(Window, WM_CLOSE, 0, 0);
        Process.Wait(10000); // and killed when it is still running
    }
    support::TChild Process;
    HWND Window = nullptr;
};

// The lines of a log, without their line breaks.
inline std::vector<std::string> ReadLines(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A log line without its time stamp (HH:MM:SS.mmm and a blank); empty when it has none.
inline std::string WithoutStamp(const std::string& line) {
    static const char pattern[] = "99:99:99.999 ";
    if (line.size() < sizeof pattern - 1)
        return {};
    for (std::size_t i = 0; i + 1 < sizeof pattern; ++i)
        if (pattern[i] == '9' ? !std::isdigit(static_cast<unsigned char>(line[i]))
                              : line[i] != pattern[i])
            return {};
    return line.substr(sizeof pattern - 1);
}

} // namespace traceviewer
