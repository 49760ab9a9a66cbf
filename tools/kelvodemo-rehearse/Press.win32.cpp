#include "Press.h"

#include <array>

namespace {

INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

bool SendKeys(std::array<INPUT, 2> keys) {
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
    SendKeys({KeyInput(VK_MENU, 0), KeyInput(VK_MENU, KEYEVENTF_KEYUP)});
    SetForegroundWindow(form);
    return WaitForForeground(form);
}

bool TypeEnter() {
    return SendKeys({KeyInput(VK_RETURN, 0), KeyInput(VK_RETURN, KEYEVENTF_KEYUP)});
}

void ClickButton(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}
