#include "toolkit/MessageBox.h"

#include "toolkit/WinLoop.h"

#include "os/Wide.h"

#include <windows.h>

int ShowMessageBox(const std::string& text, unsigned flags) {
    HWND owner = nullptr;
    std::wstring title;
    bool titled = false; // else the system's own default title
    if (const TWinObj* main = MainWindow()) {
        owner = main->Window;
        title = win::Wide(main->Caption);
        titled = true;
    }
    return MessageBoxW(owner, win::Wide(text).c_str(), titled ? title.c_str() : nullptr, flags);
}

void ShowOkMessage(const std::string& text) {
    ShowMessageBox(text, MB_OK | MB_SETFOREGROUND);
}
