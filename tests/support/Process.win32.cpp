#include "tests/support/Process.h"

#include "tests/support/Pump.h"
#include "util/CmdLine.h"

#include <algorithm>

namespace support {
namespace {

std::string NameOf(const std::string& entry) {
    // "=C:=C:\dir" entries of the system start with '='.
    return entry.substr(0, entry.find('=', 1));
}

// This process's environment with `changes` put in, as the block CreateProcessA takes.
std::string EnvironmentBlock(const std::vector<std::string>& changes) {
    std::vector<std::string> entries;
    if (char* own = GetEnvironmentStringsA()) {
        for (const char* p = own; *p; p += entries.back().size() + 1)
            entries.emplace_back(p);
        FreeEnvironmentStringsA(own);
    }
    for (const std::string& change : changes) {
        auto same = std::find_if(entries.begin(), entries.end(), [&](const std::string& e) {
            return lstrcmpiA(NameOf(e).c_str(), NameOf(change).c_str()) == 0;
        });
        if (same != entries.end())
            *same = change;
        else
            entries.push_back(change);
    }
    std::string block;
    for (const std::string& entry : entries)
        block.append(entry).push_back('\0');
    block.push_back('\0');
    return block;
}

} // namespace

std::string ProgramFolder() {
    const std::string path = ProgramPath();
    return path.substr(0, path.find_last_of('\\') + 1);
}

TChild::TChild(const std::string& exe, const std::string& args,
               const std::vector<std::string>& environment, TWhere where) {
    std::string commandLine = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    std::string block = environment.empty() ? std::string() : EnvironmentBlock(environment);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        block.empty() ? nullptr : block.data(), nullptr, &startup, &pi)) {
        FailAt(where, "cannot start " + commandLine + ": error " + std::to_string(GetLastError()));
        return;
    }
    info_ = win::TProcessInfo(pi);
}

TChild::~TChild() {
    if (*this && ExitCode() == STILL_ACTIVE)
        Kill();
}

bool TChild::Wait(DWORD timeoutMs) {
    return *this && WaitPumping(Handle(), timeoutMs);
}

void TChild::Kill() {
    if (!*this)
        return;
    TerminateProcess(Handle(), 99);
    WaitForSingleObject(Handle(), 5000);
}

DWORD TChild::ExitCode() const {
    DWORD code = 0;
    if (*this)
        GetExitCodeProcess(Handle(), &code);
    return code;
}

TRun RunProgram(const std::string& exe, const std::string& args, DWORD timeoutMs, TWhere where) {
    TRun run;
    TChild child(exe, args, {}, where);
    if (!child)
        return run;
    std::vector<HWND> answered;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!(run.Ended = child.Wait(50))) {
        if (GetTickCount64() > deadline) {
            child.Kill();
            break;
        }
        HWND box = FindBox(child.Id());
        if (box && std::find(answered.begin(), answered.end(), box) == answered.end()) {
            run.Boxes.push_back(ReadBox(box));
            answered.push_back(box);
            PressButton(box, IDOK);
        }
    }
    run.ExitCode = child.ExitCode();
    return run;
}

} // namespace support
