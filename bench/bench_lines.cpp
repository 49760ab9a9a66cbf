// Line numbers of error positions over a large text: LineOf for many increasing positions,
// against a single memchr pass over the same text, the least any line count can cost.
#include "textstream/QStm.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t TextSize = 10 * 1000 * 1000;
constexpr std::size_t Positions = 100000;

// Lines of 0 to 79 characters ended by CR LF, LF, CR or LF CR, the same on every run.
std::string MixedText() {
    const char* const breaks[] = {"\r\n", "\r\n", "\n", "\r", "\n\r"};
    std::string text;
    text.reserve(TextSize + 128);
    std::uint32_t seed = 2463534242u;
    auto next = [&seed](std::uint32_t n) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        return seed % n;
    };
    while (text.size() < TextSize) {
        std::size_t length = next(80);
        for (std::size_t i = 0; i < length; ++i)
            text += static_cast<char>('a' + next(26));
        text += breaks[next(5)];
    }
    return text;
}

const std::string& Text() {
    static const std::string text = MixedText();
    return text;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Text().size()));
}

void LineOfIncreasing(benchmark::State& state) {
    std::vector<TQPos> positions;
    for (std::size_t i = 0; i < Positions; ++i)
        positions.push_back((i * Text().size() + i % 97) / Positions);
    TQInStm stm;
    for (auto _ : state) {
        state.PauseTiming();
        stm.SetText(Text()); // a fresh line cache
        state.ResumeTiming();
        std::int64_t sum = 0;
        for (TQPos p : positions)
            sum += stm.LineOf(p);
        benchmark::DoNotOptimize(sum);
    }
    SetBytes(state);
}

void MemchrPass(benchmark::State& state) {
    const std::string& text = Text();
    for (auto _ : state) {
        std::size_t lines = 0;
        const char* end = text.data() + text.size();
        for (const char* p = text.data();
             (p = static_cast<const char*>(
                  std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr;
             ++p)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    SetBytes(state);
}

} // namespace

int main(int argc, char** argv) {
    Text();
    benchmark::RegisterBenchmark("lines/line_of_increasing", LineOfIncreasing)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("lines/memchr_pass", MemchrPass)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
