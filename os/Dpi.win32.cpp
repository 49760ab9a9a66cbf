#include "os/Dpi.h"

#include "os/WinHandle.h"

namespace win {
namespace {

// Looked up once: Windows 7 and 8 lack the functions, and the program must start there too.
template <typename TFunction>
TFunction* User32Function(const char* name) {
    return reinterpret_cast<TFunction*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT SystemDpi() {
    const TWindowDC screen(nullptr);
    return static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

} // namespace

UINT DpiOf(HWND window) {
    static auto* const forWindow = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
    if (window && forWindow)
        if (const UINT dpi = forWindow(window))
            return dpi;
    return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
    static auto* const forDpi = User32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi) : GetSystemMetrics(index);
}

} // namespace win
