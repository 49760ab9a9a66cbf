// The harness behind benchmark.h: command line, the growing runs, console and JSON output.
#include "benchmark/benchmark.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <regex>
#include <string_view>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace benchmark {
namespace {

struct TOptions {
    bool Json = false;
    std::string Filter = ".";
    double MinSeconds = 0.5;
    std::string Executable;
};

TOptions& Options() {
    static TOptions options;
    return options;
}

std::vector<std::unique_ptr<internal::Benchmark>>& Registry() {
    static std::vector<std::unique_ptr<internal::Benchmark>> benchmarks;
    return benchmarks;
}

double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double CpuSeconds() {
#ifdef _WIN32
    FILETIME creation, exit, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user))
        return 0;
    auto ticks = [](const FILETIME& t) {
        return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
#else
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

struct TRun {
    const internal::Benchmark* Bench;
    std::int64_t Iterations;
    double RealSeconds;
    double CpuSeconds;
    std::int64_t Bytes;
    std::map<std::string, Counter> Counters;
    std::string Error;
};

TRun RunOnce(const internal::Benchmark& bench, std::int64_t iterations) {
    State state(iterations);
    bench.Fn(state);
    return {&bench,
            iterations,
            state.RealSeconds(),
            state.CpuSeconds(),
            state.bytes_processed(),
            state.counters,
            state.ErrorMessage()};
}

// As Google Benchmark does: grow the iterations until one run lasts the minimum time.
TRun Measure(const internal::Benchmark& bench) {
    const double minSeconds = bench.MinSeconds > 0 ? bench.MinSeconds : Options().MinSeconds;
    std::int64_t iterations = bench.FixedIterations > 0 ? bench.FixedIterations : 1;
    for (;;) {
        TRun run = RunOnce(bench, iterations);
        if (!run.Error.empty() || bench.FixedIterations > 0 || run.RealSeconds >= minSeconds ||
            iterations >= 1000000000)
            return run;
        double multiplier = minSeconds * 1.4 / std::max(run.RealSeconds, 1e-9);
        if (run.RealSeconds / minSeconds <= 0.1)
            multiplier = 10;
        iterations = std::max(static_cast<std::int64_t>(multiplier * iterations), iterations + 1);
        iterations = std::min<std::int64_t>(iterations, 1000000000);
    }
}

const char* UnitName(TimeUnit unit) {
    switch (unit) {
    case kMicrosecond:
        return "us";
    case kMillisecond:
        return "ms";
    case kSecond:
        return "s";
    default:
        return "ns";
    }
}

double UnitsPerSecond(TimeUnit unit) {
    switch (unit) {
    case kMicrosecond:
        return 1e6;
    case kMillisecond:
        return 1e3;
    case kSecond:
        return 1;
    default:
        return 1e9;
    }
}

// Rates are taken over the CPU time, as Google Benchmark does by default.
double RateSeconds(const TRun& run) {
    return run.CpuSeconds > 0 ? run.CpuSeconds : run.RealSeconds;
}

double CounterValue(const TRun& run, const Counter& c) {
    double v = c.value;
    if (c.flags & Counter::kIsIterationInvariant)
        v *= static_cast<double>(run.Iterations);
    if (c.flags & Counter::kAvgIterations)
        v /= static_cast<double>(run.Iterations);
    if (c.flags & Counter::kIsRate)
        v /= RateSeconds(run);
    return v;
}

std::string JsonString(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void PrintJsonRun(const TRun& run, std::size_t index, bool last) {
    const TimeUnit unit = run.Bench->TimeUnitValue;
    const double perIteration = UnitsPerSecond(unit) / static_cast<double>(run.Iterations);
    const std::string name = JsonString(run.Bench->Name);
    std::printf("    {\n");
    std::printf("      \"name\": %s,\n", name.c_str());
    std::printf("      \"family_index\": %zu,\n", index);
    std::printf("      \"per_family_instance_index\": 0,\n");
    std::printf("      \"run_name\": %s,\n", name.c_str());
    std::printf("      \"run_type\": \"iteration\",\n");
    std::printf("      \"repetitions\": 1,\n");
    std::printf("      \"repetition_index\": 0,\n");
    std::printf("      \"threads\": 1,\n");
    if (!run.Error.empty()) {
        std::printf("      \"error_occurred\": true,\n");
        std::printf("      \"error_message\": %s,\n", JsonString(run.Error).c_str());
    }
    std::printf("      \"iterations\": %lld,\n", static_cast<long long>(run.Iterations));
    std::printf("      \"real_time\": %.10e,\n", run.RealSeconds * perIteration);
    std::printf("      \"cpu_time\": %.10e,\n", run.CpuSeconds * perIteration);
    std::printf("      \"time_unit\": \"%s\"", UnitName(unit));
    if (run.Bytes > 0)
        std::printf(",\n      \"bytes_per_second\": %.10e",
                    static_cast<double>(run.Bytes) / RateSeconds(run));
    for (const auto& [key, counter] : run.Counters)
        std::printf(",\n      %s: %.10e", JsonString(key).c_str(), CounterValue(run, counter));
    std::printf("\n    }%s\n", last ? "" : ",");
}

void PrintJson(const std::vector<TRun>& runs) {
    char date[64] = "";
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", std::localtime(&now));
    std::printf("{\n  \"context\": {\n");
    std::printf("    \"date\": \"%s\",\n", date);
    std::printf("    \"executable\": %s,\n", JsonString(Options().Executable).c_str());
    std::printf("    \"num_cpus\": %u,\n", std::thread::hardware_concurrency());
    std::printf("    \"library_build_type\": \"release\"\n");
    std::printf("  },\n  \"benchmarks\": [\n");
    for (std::size_t i = 0; i < runs.size(); ++i)
        PrintJsonRun(runs[i], i, i + 1 == runs.size());
    std::printf("  ]\n}\n");
}

void PrintConsoleRun(const TRun& run) {
    if (!run.Error.empty()) {
        std::printf("%-40s ERROR OCCURRED: '%s'\n", run.Bench->Name.c_str(), run.Error.c_str());
        return;
    }
    const TimeUnit unit = run.Bench->TimeUnitValue;
    const double perIteration = UnitsPerSecond(unit) / static_cast<double>(run.Iterations);
    std::printf("%-40s %10.0f %-2s %10.0f %-2s %10lld", run.Bench->Name.c_str(),
                run.RealSeconds * perIteration, UnitName(unit), run.CpuSeconds * perIteration,
                UnitName(unit), static_cast<long long>(run.Iterations));
    if (run.Bytes > 0)
        std::printf(" bytes_per_second=%.4gM/s",
                    static_cast<double>(run.Bytes) / RateSeconds(run) / (1024.0 * 1024.0));
    for (const auto& [key, counter] : run.Counters)
        std::printf(" %s=%.4g", key.c_str(), CounterValue(run, counter));
    std::printf("\n");
}

bool TakeFlag(std::string_view arg, std::string_view flag, std::string& value) {
    if (arg.substr(0, flag.size()) != flag)
        return false;
    value = std::string(arg.substr(flag.size()));
    return true;
}

} // namespace

void State::StartKeepRunning() {
    Running_ = true;
    RealStart_ = NowSeconds();
    CpuStart_ = benchmark::CpuSeconds();
}

void State::PauseTiming() {
    if (!Running_)
        return;
    RealSeconds_ += NowSeconds() - RealStart_;
    CpuSeconds_ += benchmark::CpuSeconds() - CpuStart_;
    Running_ = false;
}

void State::ResumeTiming() {
    if (Running_)
        return;
    StartKeepRunning();
}

void State::FinishKeepRunning() {
    PauseTiming();
}

void State::SkipWithError(const char* message) {
    Error_ = message;
    MaxIterations_ = 0;
}

internal::Benchmark* internal::Register(std::string name, std::function<void(State&)> fn) {
    Registry().push_back(std::make_unique<Benchmark>(std::move(name), std::move(fn)));
    return Registry().back().get();
}

void Initialize(int* argc, char** argv) {
    TOptions& options = Options();
    if (*argc > 0)
        options.Executable = argv[0];
    int kept = *argc > 0 ? 1 : 0;
    for (int i = kept; i < *argc; ++i) {
        const std::string_view arg = argv[i];
        std::string value;
        if (TakeFlag(arg, "--benchmark_format=", value)) {
            options.Json = value == "json";
        } else if (TakeFlag(arg, "--benchmark_filter=", value)) {
            options.Filter = value;
        } else if (TakeFlag(arg, "--benchmark_min_time=", value)) {
            // "0.5" or "0.5s"
            options.MinSeconds = std::strtod(value.c_str(), nullptr);
        } else {
            argv[kept++] = argv[i];
        }
    }
    *argc = kept;
}

std::size_t RunSpecifiedBenchmarks() {
    const std::regex filter(Options().Filter);
    std::vector<TRun> runs;
    if (!Options().Json)
        std::printf("%-40s %13s %13s %10s\n", "Benchmark", "Time", "CPU", "Iterations");
    for (const auto& bench : Registry()) {
        if (!std::regex_search(bench->Name, filter))
            continue;
        runs.push_back(Measure(*bench));
        if (!Options().Json)
            PrintConsoleRun(runs.back());
        std::fflush(stdout);
    }
    if (Options().Json)
        PrintJson(runs);
    std::fflush(stdout);
    return runs.size();
}

void Shutdown() {
    Registry().clear();
}

} // namespace benchmark
