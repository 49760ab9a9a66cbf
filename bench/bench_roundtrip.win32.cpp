// One bare PostMessage round trip between two processes: this program posts to a window of a
// copy of itself, which posts straight back. It is the yardstick of the conductor's hand-off
// (run-demo-benchmarks.sh), so both sides are plain hidden top-level windows with the usual
// GetMessage loop, as the conductor and its stations are.
// Usage: bench_roundtrip [round trips]    prints the median and the quartiles in microseconds
//        bench_roundtrip --echo           the other side

#include "os/WinHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* EchoClass = "KelvoBenchEcho";
constexpr const char* CallerClass = "KelvoBenchCaller";
constexpr UINT WM_PING = WM_APP + 1; // wParam: the window to answer
constexpr UINT WM_PONG = WM_APP + 2;

LRESULT CALLBACK EchoProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PING) {
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_PONG, 0, 0);
        return 0;
    }
    if (msg == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

HWND MakeWindow(const char* windowClass, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = windowClass;
    RegisterClassA(&wc);
    return CreateWindowExA(0, windowClass, windowClass, WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

int RunEcho() {
    if (!MakeWindow(EchoClass, &EchoProc))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

HWND WaitForEcho() {
    for (int i = 0; i < 500; ++i) {
        if (HWND echo = FindWindowA(EchoClass, nullptr))
            return echo;
        Sleep(20);
    }
    return nullptr;
}

LONGLONG Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The microseconds of each round trip, the answer taken from the loop as a window message.
std::vector<double> RoundTrips(HWND echo, HWND caller, int count) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    MSG msg;
    for (int i = 0; i < count; ++i) {
        const LONGLONG start = Now();
        PostMessageA(echo, WM_PING, reinterpret_cast<WPARAM>(caller), 0);
        while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_PONG)
            DispatchMessageA(&msg);
        times.push_back(static_cast<double>(Now() - start) * 1e6 /
                        static_cast<double>(frequency.QuadPart));
    }
    return times;
}

double Quantile(std::vector<double> values, double q) {
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(q * (values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--echo") == 0)
        return RunEcho();
    const int count = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 2000;

    std::string command = "\"" + std::string(argv[0]) + "\" --echo";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        std::fprintf(stderr, "cannot start the echo: error %lu\n", GetLastError());
        return 1;
    }
    const win::TProcessInfo child(started);
    const HWND echo = WaitForEcho();
    const HWND caller = MakeWindow(CallerClass, &DefWindowProcA);
    if (!echo || !caller) {
        std::fprintf(stderr, "no echo window\n");
        return 1;
    }
    RoundTrips(echo, caller, count / 10 + 1); // both sides warm
    const std::vector<double> times = RoundTrips(echo, caller, count);
    PostMessageA(echo, WM_CLOSE, 0, 0);
    WaitForSingleObject(child.Process.get(), 10000);
    std::printf("round trips: %d\nmedian: %.1f us\nquartiles: %.1f %.1f us\n", count,
                Quantile(times, 0.5), Quantile(times, 0.25), Quantile(times, 0.75));
    return 0;
}
