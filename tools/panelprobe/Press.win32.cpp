#include "tools/panelprobe/Press.h"

#include <vector>

namespace {

// With the scan code too, as a keyboard sends it: some receivers read it from lParam.
INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool SendKeys(std::vector<INPUT> keys) {
    return SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

bool WaitForForeground(HWND form) {
    for (int i = 0; i < 50; ++i) {
        if (GetForegroundWindow() == form)
            return true;
        Sleep(20);
    }
    return false;
}

} // namespace

bool BringToFront(HWND form) {
    if (GetForegroundWindow() == form)
        return true;
    SetForegroundWindow(form);
    if (WaitForForeground(form))
        return true;
    // Windows lets a process that has just had input take the foreground: a tap of Alt.
    PressKey(VK_MENU);
    SetForegroundWindow(form);
    return WaitForForeground(form);
}

bool SendKey(WORD key, bool up) {
    return SendKeys({KeyInput(key, up)});
}

bool PressKey(WORD key, bool shift) {
    if (!shift)
        return SendKeys({KeyInput(key, false), KeyInput(key, true)});
    return SendKeys({KeyInput(VK_SHIFT, false), KeyInput(key, false), KeyInput(key, true),
                     KeyInput(VK_SHIFT, true)});
}

bool TypeEnter() {
    return PressKey(VK_RETURN);
}

void ClickButton(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}
