#pragma once
// Finding the top-level windows and message boxes of a process, reading their texts and
// controls, and answering a box as a user would.

#include <windows.h>

#include <string>
#include <vector>

namespace support {

std::string ClassOf(HWND window);
// The window's text (its title for a top-level window), of any length.
std::string TextOf(HWND window);

// A visible top-level window of process `pid` (of any process when 0) whose class is
// `className` (any class when null); null when there is none.
HWND FindTopWindow(DWORD pid, const char* className = nullptr);
// The same, waiting up to `timeoutMs` for it and dispatching this thread's messages meanwhile.
HWND WaitForTopWindow(DWORD pid, const char* className, DWORD timeoutMs = 10000);

// The class of dialog boxes, which the system's message boxes are.
inline constexpr const char* DialogClass = "#32770";
// A visible message box (or other dialog box) of process `pid`; null when it shows none.
inline HWND FindBox(DWORD pid) {
    return FindTopWindow(pid, DialogClass);
}

struct TControl {
    HWND Window = nullptr;
    int Id = 0;
    std::string Class;
    std::string Text;
    bool Enabled = false;
    bool Visible = false;
};

// Every child control of `parent`, children's children too, in the system's order.
std::vector<TControl> ControlsOf(HWND parent);

struct TBox {
    HWND Window = nullptr;
    HWND Owner = nullptr;
    std::string Caption;
    std::vector<std::string> Texts;   // of its static controls that have any
    std::vector<std::string> Buttons; // the texts of its buttons, in order
};

TBox ReadBox(HWND box);

// Presses button `id` (IDOK, IDCANCEL...) of a dialog box, as a click on it does. The press is
// posted: the box may be running its modal loop on this very thread.
void PressButton(HWND box, int id);

// The caption the system gives a message box without a title in the test prefix's Russian
// locale (an English system says "Error").
inline const std::string DefaultCaption = "Ошибка";

} // namespace support
