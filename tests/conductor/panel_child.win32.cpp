// A program that builds the control panel and keeps it, unshown, until it is closed.
#include "conductor/QControlPanel.h"

#include <windows.h>

int main() {
    BuildControlPanel({}, {});
    SetTimer(nullptr, 0, 30000, nullptr); // a forgotten child does not linger
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER)
        DispatchMessageA(&msg);
    return msg.message == WM_QUIT ? 0 : 1;
}
