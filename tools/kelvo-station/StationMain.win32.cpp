// Kelvo.exe as a rehearsal station: it keeps the conductor's side of the bargain, shows what
// it is asked to do, and exchanges small files, so that a demonstration can be run and seen
// without the product itself. Usage: Kelvo.exe "<scheme file>" [/demo(i,n)]
#include "ExchangeFolders.h"
#include "StationArgs.h"
#include "StationWindow.h"

#include "os/Wide.h"
#include "os/WinHandle.h"
#include "util/CmdLine.h"

#include <windows.h>

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

std::string TempFolder() {
    std::array<char, MAX_PATH + 1> buffer{};
    const DWORD length = GetTempPathA(MAX_PATH + 1, buffer.data());
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("Не удалось определить каталог временных файлов");
    std::string folder(buffer.data(), length);
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string EnvironmentText(const char* name) {
    std::array<char, 1024> buffer{};
    const DWORD length = GetEnvironmentVariableA(name, buffer.data(), buffer.size());
    return length < buffer.size() ? std::string(buffer.data(), length) : std::string();
}

// The exchange folders go with the station, however it ends its loop.
class TFolderRemoval {
public:
    explicit TFolderRemoval(std::string folder) : folder_(std::move(folder)) {}
    TFolderRemoval(const TFolderRemoval&) = delete;
    TFolderRemoval& operator=(const TFolderRemoval&) = delete;
    ~TFolderRemoval() { RemoveTree(folder_); }

private:
    std::string folder_;
};

// Tests slow the answers down to watch the conductor wait.
constexpr const char* DelayVariable = "KELVO_STATION_DELAY_MS";
// Benchmarks time the conductor's hand-offs.
constexpr const char* HandoffVariable = "KELVO_STATION_HANDOFFS";
// Tests show the conductor a product instance that fails.
constexpr const char* FaultVariable = "KELVO_STATION_FAULT";

// Set, to the first instance's process number, for the second instance of a hand-over, which
// comes up this long after the first has ended, as a program that hands over may.
constexpr const char* HandedOverVariable = "KELVO_STATION_HANDED_OVER";
constexpr DWORD HandOverMs = 1200;

void AwaitHandOver(const std::string& firstProcess) {
    const win::TKernelHandle first(
        OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::atoi(firstProcess.c_str()))));
    if (first)
        WaitForSingleObject(first.get(), 10000);
    Sleep(HandOverMs);
}

// A second instance with this one's command line, which runs as the station: the variable of
// faults is not passed on, so that it does not hand over in turn.
void HandOver() {
    SetEnvironmentVariableA(FaultVariable, nullptr);
    SetEnvironmentVariableA(HandedOverVariable, std::to_string(GetCurrentProcessId()).c_str());
    std::string cmdLine = GetCommandLineA();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TStationSetup setup;
    try {
        setup.Args = ParseStationArgs(CmdLineParam(1), CmdLineParam(2));
        if (const std::string first = EnvironmentText(HandedOverVariable); !first.empty())
            AwaitHandOver(first);
        const TStationFault fault = StationFault(EnvironmentText(FaultVariable), setup.Args.Name);
        if (fault == TStationFault::HandOver)
            HandOver();
        if (fault == TStationFault::Exit || fault == TStationFault::HandOver)
            return 0;
        setup.Silent = fault == TStationFault::Silent;
        // A process number is unique among the stations running at once.
        setup.X = GetCurrentProcessId();
        setup.Folders = ExchangeFolders(TempFolder(), setup.X, setup.Args.Name);
        setup.DelayMs = AnswerDelayMs(EnvironmentText(DelayVariable), setup.Args.Name);
        setup.HandoffLog = EnvironmentText(HandoffVariable);
        CreateExchangeFolders(setup.Folders);
    } catch (const std::exception& e) {
        RemoveTree(setup.Folders.Root);
        MessageBoxW(nullptr, win::Wide(e.what()).c_str(), L"Kelvo", MB_OK | MB_ICONERROR);
        return 1;
    }
    TFolderRemoval removal(setup.Folders.Root);
    return RunStation(instance, setup);
}
