// One bare PostMessage round trip between two processes: this program posts to a window of a
// copy of itself, which posts straight back. It is the yardstick of the conductor's hand-off
// (run-demo-benchmarks.sh), so both sides are plain hidden top-level windows with the usual
// GetMessage loop, as the conductor and its stations are.
// Then the two halves of the conductor's post to a station: the window lookup (FindWindowA by
// class and title) with OTHERS windows of the same class and other titles above the one looked
// up, as other stations' windows are, against the bare post.
// Usage: bench_roundtrip [round trips] [others]    prints medians and quartiles in microseconds
//        bench_roundtrip --echo [others]           the other side

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

HWND MakeWindow(const char* windowClass, WNDPROC proc, const char* title) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = windowClass;
    RegisterClassA(&wc); // the second time fails, and the class is there
    return CreateWindowExA(0, windowClass, title, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

// The echo's window, then OTHERS of its class, each new one placed above those before; the
// echo takes its title last, so that the caller finds it only when all are there.
int RunEcho(int others) {
    const HWND echo = MakeWindow(EchoClass, &EchoProc, "");
    if (!echo)
        return 1;
    for (int i = 0; i < others; ++i)
        if (!MakeWindow(EchoClass, &EchoProc, ("other " + std::to_string(i)).c_str()))
            return 1;
    SetWindowTextA(echo, EchoClass);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

HWND WaitForEcho() {
    for (int i = 0; i < 500; ++i) {
        if (HWND echo = FindWindowA(EchoClass, EchoClass))
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

// The microseconds of each of COUNT calls of CALL.
template <typename F>
std::vector<double> TimeEach(int count, F&& call) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const LONGLONG start = Now();
        call();
        times.push_back(static_cast<double>(Now() - start) * 1e6 /
                        static_cast<double>(frequency.QuadPart));
    }
    return times;
}

// Each round trip, the answer taken from the loop as a window message.
std::vector<double> RoundTrips(HWND echo, HWND caller, int count) {
    return TimeEach(count, [&] {
        PostMessageA(echo, WM_PING, reinterpret_cast<WPARAM>(caller), 0);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_PONG)
            DispatchMessageA(&msg);
    });
}

double Quantile(std::vector<double> values, double q) {
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(q * (values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

void Report(const char* what, const std::vector<double>& times) {
    std::printf("%s: median %.1f us, quartiles %.1f %.1f us\n", what, Quantile(times, 0.5),
                Quantile(times, 0.25), Quantile(times, 0.75));
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--echo") == 0)
        return RunEcho(argc > 2 ? std::atoi(argv[2]) : 0);
    const int count = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 2000;
    const int others = argc > 2 ? std::max(std::atoi(argv[2]), 0) : 0;

    std::string command = "\"" + std::string(argv[0]) + "\" --echo " + std::to_string(others);
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
    const HWND caller = MakeWindow(CallerClass, &DefWindowProcA, CallerClass);
    if (!echo || !caller) {
        std::fprintf(stderr, "no echo window\n");
        return 1;
    }
    RoundTrips(echo, caller, count / 10 + 1); // both sides warm
    const std::vector<double> trips = RoundTrips(echo, caller, count);
    // The echo's loop takes the posts as it goes; WM_NULL does nothing there.
    const std::vector<double> lookups = TimeEach(count, [] { FindWindowA(EchoClass, EchoClass); });
    const std::vector<double> posts = TimeEach(count, [&] { PostMessageA(echo, WM_NULL, 0, 0); });
    PostMessageA(echo, WM_CLOSE, 0, 0);
    WaitForSingleObject(child.Process.get(), 10000);
    std::printf("calls: %d each; other windows: %d\n", count, others);
    Report("round trip", trips);
    Report("lookup", lookups);
    Report("post", posts);
    std::printf("lookup / post: %.2f\n", Quantile(lookups, 0.5) / Quantile(posts, 0.5));
    return 0;
}
