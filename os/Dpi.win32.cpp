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

RECT FrameForDpi(DWORD style, DWORD exStyle, UINT dpi) {
    static auto* const forDpi =
        User32Function<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, 0, 0};
    if (!forDpi || !forDpi(&frame, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

UINT MonitorDpi(HMONITOR monitor) {
    using TGetDpiForMonitor = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    static const TModule shcore(LoadLibraryW(L"shcore.dll"));
    static auto* const forMonitor =
        shcore ? reinterpret_cast<TGetDpiForMonitor*>(
                     reinterpret_cast<void*>(GetProcAddress(shcore.get(), "GetDpiForMonitor")))
               : nullptr;
    UINT x = 0;
    UINT y = 0;
    // 0: MDT_EFFECTIVE_DPI, the scale the user chose for that monitor.
    if (forMonitor && SUCCEEDED(forMonitor(monitor, 0, &x, &y)) && y != 0)
        return y;
    return SystemDpi();
}

} // namespace win
