#include "tests/support/TestWindows.h"

namespace support {

win::TWindow MakeClassWindow(const char* className, const char* title, WNDPROC proc, void* param) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return win::TWindow(CreateWindowExA(0, className, title, WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                        nullptr, windowClass.hInstance, param));
}

} // namespace support
