#pragma once
// The control panel's geometry, for the panel itself and for whoever must know beforehand
// where it will stand and how much of a comment it shows.

#include <windows.h>

// The panel's top and height in a work area: the lower two fifths.
struct TPanelRows {
    int Top;
    int Height;
};
TPanelRows PanelRows(const RECT& workArea);

// The panel's figures at DPI: those of 96 dots per inch scaled, rounded as MulDiv rounds.
struct TPanelLayout {
    int Border;    // kept around the docked bar and comment box
    int BarHeight; // of the top bar
    LONG FontHeight;
    RECT Label;  // in the top bar
    RECT Button; // in the top bar
};
TPanelLayout PanelLayout(UINT dpi);
// The comment box's size in a panel window of WINDOWRECT at DPI: the form's client area
// less the border kept around the docked bar and box, and the bar.
SIZE CommentBoxSize(const RECT& windowRect, UINT dpi);
