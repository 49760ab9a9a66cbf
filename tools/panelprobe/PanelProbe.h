#pragma once
// The conductor's and the stations' windows seen from outside, as a presenter sees them:
// found by class, read through their window texts.

#include <windows.h>

#include <string>
#include <vector>

// The control panel: the conductor's window (ConductorClass) and its controls.
struct TPanel {
    HWND Form = nullptr;
    HWND Button = nullptr;
    HWND Label = nullptr;   // found by its text; null until it shows one of the panel's states
    HWND Comment = nullptr; // the rich-text box; null when the panel has none
};

// What the panel shows.
struct TPanelView {
    bool Enabled = false; // the button
    std::string Caption;  // the button's
    std::string Label;
    std::string Comment;

    bool operator==(const TPanelView&) const = default;
};

// Looks for the panel of process PROCESSID, and completes PANEL with what is there by now.
// True once the form and its button exist.
bool FindPanel(DWORD processId, TPanel& panel);
TPanelView ReadPanel(TPanel& panel);

// The stations' names that the label awaits ("жду A,B"), none for any other text.
std::vector<std::string> AwaitedStations(const std::string& label);

// A top-level window of a station (StationClass).
struct TStationWindow {
    HWND Window = nullptr;
    DWORD ProcessId = 0;
    std::string Title;
};
std::vector<TStationWindow> StationWindows();

// Whether any control panel exists.
bool AnyPanel();

// The visible message boxes (dialog class "#32770") of process PROCESSID, each with the
// texts of its static controls joined by blanks.
struct TMessageBox {
    HWND Window = nullptr;
    std::string Text;
};
std::vector<TMessageBox> MessageBoxesOf(DWORD processId);
// Answers a message box with OK.
void DismissMessageBox(HWND box);

// A window's text through WM_GETTEXT, in code page 1251; empty when the window does
// not answer within a second.
std::string WindowTextOf(HWND window);
