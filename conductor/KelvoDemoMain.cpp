#include "conductor/KelvoDemo.h"
#include "errors/err.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunWithErrorHandling([] {
        RunKelvoDemo();
        return 0;
    });
}
