#pragma once
// The station's window, of StationClass, titled with its scheme file's name. It shows the
// scheme with the current step's section marked, every command it received, and the files
// of its exchange folders; it answers the conductor after each command.

#include "ExchangeFolders.h"
#include "StationArgs.h"

#include <windows.h>

#include <cstdint>
#include <string>

struct TStationSetup {
    TStationArgs Args;
    TExchangeFolders Folders; // created already
    std::uint32_t X = 0;      // the folder number sent with every answer
    std::uint32_t DelayMs = 0;
    bool Silent = false; // answers that it is ready, and then nothing
    // Where the hand-off times go when the station ends, if anywhere: for each command that
    // came after an answer to a command, the microseconds from posting the answer to the
    // command's arrival. In a step of many commands that is the conductor's hand-off; the
    // benchmarks read it.
    std::string HandoffLog;
};

// Opens the window in the station's tile of the upper three fifths of the work area, shown
// even when the station was started hidden and without taking the focus from the control
// panel, and runs the message loop until the window is closed or told to quit. The station
// reports ready once the loop runs. Returns the exit code.
int RunStation(HINSTANCE instance, const TStationSetup& setup);

// The station's tile of WORK: stations side by side, in rows when there are many.
RECT StationTile(const RECT& work, int index, int count);

// The rows of the station's window at DPI, for fonts whose lines are LINEHEIGHT and
// HEADERLINEHEIGHT high: never smaller than the figures at 96 dots per inch scaled, and never
// too small for their text.
struct TStationRows {
    int Margin = 0;
    int Header = 0; // two lines
    int Caption = 0;
};
TStationRows StationRows(UINT dpi, int lineHeight, int headerLineHeight);
