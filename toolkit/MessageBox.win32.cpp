#include "toolkit/MessageBox.h"

#include "toolkit/WinLoop.h"

#include <windows.h>

int ShowMessageBox(const std::string& text, unsigned flags) {
    HWND owner = nullptr;
    const char* title = nullptr; // the system's own default title
    if (const TWinObj* main = MainWindow()) {
        owner = main->Window;
        title = main->Caption.c_str();
    }
    return MessageBoxA(owner, text.c_str(), title, flags);
}

void ShowOkMessage(const std::string& text) {
    ShowMessageBox(text, MB_OK | MB_SETFOREGROUND);
}
