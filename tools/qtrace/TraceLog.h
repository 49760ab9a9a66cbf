#pragma once
// The optional log file of the viewer: every line with its time stamp, written at once.

#include "os/WinHandle.h"

#include <string>
#include <string_view>

// "HH:MM:SS.mmm" of the local time.
std::string TimeStamp();

class TTraceLog {
public:
    // Opens FILENAME for appending, creating it when missing; false when it cannot.
    bool Open(const std::string& fileName);
    // Appends STAMP, a blank, LINE and a line break; the bytes of LINE are kept as they are.
    void Append(std::string_view stamp, std::string_view line);

private:
    win::TFile File;
};
