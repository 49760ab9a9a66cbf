#include "conductor/QTrace.h"

void SendQM(WPARAM wParam, const std::string& name, std::int32_t msg, LPARAM lParam) {
    std::string title;
    HWND window = nullptr;
    if (name.empty()) {
        window = FindWindowA("TFormKelvoDemo", nullptr);
    } else {
        title = name + ".kelvo";
        window = FindWindowA("TFormKelvo", title.c_str());
    }
    if (window)
        PostMessageA(window, static_cast<UINT>(msg), wParam, lParam);
    else
        Trace("failed: ->" + title + "." + QMName(msg));
}
