#pragma once
// Finds and reads the system message boxes a process shows, for tests that answer them.

#include <windows.h>

#include <string>
#include <vector>

namespace boxprobe {

struct TBox {
    HWND Owner = nullptr;
    std::string Caption;
    std::vector<std::string> Texts; // of its static controls that have any
};

// A visible top-level dialog window ("#32770", the class of message boxes) of process `pid`;
// null when it shows none.
inline HWND FindBox(DWORD pid) {
    struct TSearch {
        DWORD Pid;
        HWND Found = nullptr;
    } search{pid};
    EnumWindows(
        [](HWND w, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            char cls[32] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (owner != s->Pid || std::string(cls) != "#32770" || !IsWindowVisible(w))
                return TRUE;
            s->Found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

inline TBox ReadBox(HWND box) {
    TBox seen;
    char caption[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    seen.Caption = caption;
    seen.Owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(
        box,
        [](HWND w, LPARAM param) -> BOOL {
            char cls[32] = {};
            GetClassNameA(w, cls, sizeof cls);
            char text[1024] = {};
            GetWindowTextA(w, text, sizeof text);
            if (lstrcmpiA(cls, "Static") == 0 && text[0])
                reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen.Texts));
    return seen;
}

// The caption Wine's MessageBoxA gives a box without a title in the test prefix's Russian
// locale (an English system says "Error").
inline const std::string DefaultCaption = "Ошибка";

} // namespace boxprobe
