#include "venue/QVenueProbes.h"

#include "os/Platform.h"
#include "os/Wide.h"
#include "os/WinHandle.h"
#include "protocol/QWindowNames.h"
#include "util/TextUtils.h"

#include <windows.h>

#include <array>
#include <cstring>

namespace {

std::string ProcessText(DWORD pid) {
    std::string text = "процесс " + IntToDecimal(static_cast<std::int32_t>(pid));
    const win::TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    std::array<wchar_t, MAX_PATH + 1> image{};
    DWORD size = MAX_PATH;
    if (process && QueryFullProcessImageNameW(process.get(), 0, image.data(), &size))
        text += ", " + win::Narrow(std::wstring_view(image.data(), size));
    return text;
}

struct TStationWindows {
    const TQDemoScript* Script;
    TVenueLine* Line;
};

// FindWindowA matches the title without regard to case, and so would hand such a window the
// new station's commands.
BOOL CALLBACK NoteStationWindow(HWND window, LPARAM param) {
    const auto& seen = *reinterpret_cast<TStationWindows*>(param);
    std::array<char, 256> name{};
    if (!GetClassNameA(window, name.data(), static_cast<int>(name.size())) ||
        std::strcmp(name.data(), StationClass) != 0)
        return TRUE;
    std::array<wchar_t, 512> title{};
    GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
    const std::string narrow = win::Narrow(title.data());
    for (const TQTestSide& side : seen.Script->Sides) {
        if (os::CompareLocale(narrow.c_str(), StationTitle(side.Name).c_str(), true) != 0)
            continue;
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        seen.Line->Details.push_back("окно «" + narrow + "»: " + ProcessText(pid));
    }
    return TRUE;
}

} // namespace

TVenueLine RunningLine(const TQDemoScript& script) {
    TVenueLine line{TVenueState::Ready, "Уже запущено", {}, {}};
    if (const win::TKernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, DemonstrationMutex)); mutex) {
        std::string running = "демонстрация уже идет";
        if (HWND panel = FindWindowA(ConductorClass, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(panel, &pid);
            running += ": " + ProcessText(pid);
        }
        line.Details.push_back(running);
    }
    TStationWindows seen{&script, &line};
    EnumWindows(&NoteStationWindow, reinterpret_cast<LPARAM>(&seen));
    if (line.Details.empty()) {
        line.Found = "ни демонстрации, ни окон станций этого сценария";
    } else {
        line.State = TVenueState::Error;
        line.Found = "окна прошлого показа могут принять команды новых станций или ответить "
                     "за них";
    }
    return line;
}
