#include "protocol/QTrace.h"
#include "protocol/QWindowNames.h"

HWND FindStationWindow(const std::string& name) {
    return FindWindowA(StationClass, StationTitle(name).c_str());
}

void SendQM(WPARAM wParam, const std::string& name, std::int32_t msg, LPARAM lParam) {
    std::string title;
    HWND window = nullptr;
    if (name.empty()) {
        window = FindWindowA(ConductorClass, nullptr);
    } else {
        title = StationTitle(name);
        window = FindStationWindow(name);
    }
    if (window)
        PostMessageA(window, static_cast<UINT>(msg), wParam, lParam);
    else
        Trace("failed: ->" + title + "." + QMName(msg));
}
