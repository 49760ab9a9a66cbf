// The start of a bare Win32 program with a window: it opens one, draws it and ends. The
// start-up benchmark (run-demo-benchmarks.sh) sets a station's cost against it, as well as
// against a console program's start.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "KelvoBenchBare";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "bare", WS_OVERLAPPEDWINDOW, 0, 0,
                                  300, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    DestroyWindow(window);
    return 0;
}
