#include "conductor/KelvoDemo.h"
#include "errors/err.h"
#include "msgbox/QStmErrorBox.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Syntax errors of the demo script are shown in the dyed box before they are raised.
    SetShowErrorHook(&ShowStmErrorBox);
    return RunWithErrorHandling([] { return RunKelvoDemo(); });
}
