#pragma once
// The part of Google Benchmark's interface that the benchmarks use, for the Windows build,
// where the library is not at hand. It measures the same way (iterations grow until a run
// lasts long enough) and writes the same JSON, so that both builds' figures compare directly.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

class Counter {
public:
    enum Flags {
        kDefaults = 0,
        kIsRate = 1,                  // divided by the run's seconds
        kAvgIterations = 2,           // divided by the iterations
        kIsIterationInvariant = 4,    // multiplied by the iterations
        kIsIterationInvariantRate = 5 // both
    };
    Counter(double value = 0, Flags flags = kDefaults) : value(value), flags(flags) {}
    double value;
    Flags flags;
};

class State {
public:
    class Iterator {
    public:
        struct __attribute__((unused)) Value {};
        Iterator(State* state, std::int64_t left) : State_(state), Left_(left) {}
        Value operator*() const { return {}; }
        Iterator& operator++() {
            --Left_;
            return *this;
        }
        bool operator!=(const Iterator&) {
            if (Left_ > 0)
                return true;
            State_->FinishKeepRunning();
            return false;
        }

    private:
        State* State_;
        std::int64_t Left_;
    };

    explicit State(std::int64_t maxIterations) : MaxIterations_(maxIterations) {}

    Iterator begin() {
        StartKeepRunning();
        return Iterator(this, MaxIterations_);
    }
    Iterator end() { return Iterator(this, 0); }

    void PauseTiming();
    void ResumeTiming();
    void SkipWithError(const char* message);
    void SetBytesProcessed(std::int64_t bytes) { BytesProcessed_ = bytes; }
    std::int64_t bytes_processed() const { return BytesProcessed_; }
    std::int64_t iterations() const { return MaxIterations_; }
    std::int64_t max_iterations() const { return MaxIterations_; }

    std::map<std::string, Counter> counters;

    // For the harness.
    double RealSeconds() const { return RealSeconds_; }
    double CpuSeconds() const { return CpuSeconds_; }
    bool ErrorOccurred() const { return !Error_.empty(); }
    const std::string& ErrorMessage() const { return Error_; }

private:
    void StartKeepRunning();
    void FinishKeepRunning();

    std::int64_t MaxIterations_;
    std::int64_t BytesProcessed_ = 0;
    double RealSeconds_ = 0;
    double CpuSeconds_ = 0;
    double RealStart_ = 0;
    double CpuStart_ = 0;
    bool Running_ = false;
    std::string Error_;
};

namespace internal {

class Benchmark {
public:
    Benchmark(std::string name, std::function<void(State&)> fn)
        : Name(std::move(name)), Fn(std::move(fn)) {}
    Benchmark* Unit(TimeUnit unit) {
        TimeUnitValue = unit;
        return this;
    }
    Benchmark* MinTime(double seconds) {
        MinSeconds = seconds;
        return this;
    }
    Benchmark* Iterations(std::int64_t n) {
        FixedIterations = n;
        return this;
    }

    std::string Name;
    std::function<void(State&)> Fn;
    TimeUnit TimeUnitValue = kNanosecond;
    double MinSeconds = 0; // 0: the command line's or the default
    std::int64_t FixedIterations = 0;
};

Benchmark* Register(std::string name, std::function<void(State&)> fn);

} // namespace internal

template <typename Fn>
internal::Benchmark* RegisterBenchmark(const char* name, Fn&& fn) {
    return internal::Register(name, std::forward<Fn>(fn));
}

// The compiler must assume the value is read and the memory behind it changed.
template <typename T>
inline void DoNotOptimize(T const& value) {
    asm volatile("" : : "g"(&value) : "memory");
}

inline void ClobberMemory() {
    asm volatile("" : : : "memory");
}

void Initialize(int* argc, char** argv);
std::size_t RunSpecifiedBenchmarks();
void Shutdown();

} // namespace benchmark
