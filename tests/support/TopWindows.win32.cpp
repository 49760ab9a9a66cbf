#include "tests/support/TopWindows.h"

#include "tests/support/Pump.h"

#include "os/Wide.h"

namespace support {

std::string ClassOf(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

// Read wide and given in code page 1251, so that it compares with the system's texts on any
// system code page.
std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return win::Narrow(text);
}

HWND FindTopWindow(DWORD pid, const char* className) {
    struct TSearch {
        DWORD Pid;
        const char* ClassName;
        HWND Found = nullptr;
    } search{pid, className};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if ((s->Pid && owner != s->Pid) || !IsWindowVisible(window) ||
                (s->ClassName && ClassOf(window) != s->ClassName))
                return TRUE;
            s->Found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND WaitForTopWindow(DWORD pid, const char* className, DWORD timeoutMs) {
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindTopWindow(pid, className)) != nullptr; }, timeoutMs);
    return found;
}

std::vector<TControl> ControlsOf(HWND parent) {
    std::vector<TControl> controls;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<TControl>*>(param)->push_back(
                TControl{window, GetDlgCtrlID(window), ClassOf(window), TextOf(window),
                         IsWindowEnabled(window) != FALSE, IsWindowVisible(window) != FALSE});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    return controls;
}

TBox ReadBox(HWND box) {
    TBox seen{box, GetWindow(box, GW_OWNER), TextOf(box), {}, {}};
    for (const TControl& control : ControlsOf(box)) {
        if (lstrcmpiA(control.Class.c_str(), "Static") == 0 && !control.Text.empty())
            seen.Texts.push_back(control.Text);
        else if (lstrcmpiA(control.Class.c_str(), "Button") == 0)
            seen.Buttons.push_back(control.Text);
    }
    return seen;
}

void PressButton(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

} // namespace support
