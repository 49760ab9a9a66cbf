// The trace viewer. Usage: qtrace [--log FILE]
#include "TraceForm.h"
#include "os/Wide.h"
#include "util/CmdLine.h"

#include <string>

namespace {

// The log file named after "--log", or the empty text.
std::string LogFileName() {
    for (int i = 1; i < CmdLineParamCount(); ++i)
        if (CmdLineParam(i) == "--log")
            return CmdLineParam(i + 1);
    return {};
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TTraceLog log;
    std::string logName = LogFileName();
    if (!logName.empty() && !log.Open(logName)) {
        MessageBoxW(nullptr, win::Wide("Cannot open the log file " + logName).c_str(), L"QTrace",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    TTraceForm form(instance, &log);
    const HWND window = form.Window();
    if (!window)
        return 1;
    const win::TAccelerators keys = CreateTraceAccelerators();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorA(window, keys.get(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
