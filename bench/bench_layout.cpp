// Laying out a long wrapping text of more than 10,000 broken lines: the time, and how many
// text measurements each broken line costs. In the Windows build the text is measured by GDI
// in the system's message font; natively by known character widths.
#include "msgbox/QDyedText.h"
#include "tests/support/QCharWidthMeasurer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
#include "msgbox/QDyedPainter.h"
#endif

namespace {

constexpr std::int32_t kWidth = 600;

#ifdef _WIN32
// The screen, with the message font, as the box measures.
struct TDevice {
    TDevice() {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        Painter.SetLogFont(metrics.lfMessageFont);
        Painter.CreateObjects();
        Font.Name = metrics.lfMessageFont.lfFaceName;
        Font.Height = metrics.lfMessageFont.lfHeight;
    }
    win::TWindowDC Dc{nullptr};
    TQDyedPainter Painter;
    TQDyedPainter::TUse Use{Painter, Dc.get()};
    TQMsgBoxFont Font;
    TQTextMeasurer& Measurer() { return Painter; }
};
#else
// Widths of 4 to 9 pixels that differ from character to character, as in a proportional font.
struct TDevice {
    TDevice() {
        for (int c = 0; c < 256; ++c)
            Widths.Widths[c] = 4 + (c * 7919) % 6;
        Widths.Widths[' '] = 3;
    }
    TQCharWidthMeasurer Widths;
    TQMsgBoxFont Font;
    TQTextMeasurer& Measurer() { return Widths; }
};
#endif

// Counts the measurements that pass through it.
class TCountingMeasurer final : public TQTextMeasurer {
public:
    explicit TCountingMeasurer(TQTextMeasurer& inner) : Inner_(inner) {}
    void SelectAttributes(const TQDyedText& piece) override { Inner_.SelectAttributes(piece); }
    TQTextExtent MeasureText(std::string_view text) override {
        ++Measures;
        return Inner_.MeasureText(text);
    }
    std::int64_t Measures = 0;

private:
    TQTextMeasurer& Inner_;
};

TDevice& Device() {
    static TDevice device;
    return device;
}

// Words of 1 to 14 letters, Latin and Cyrillic, the same on every run; PARAGRAPH words to a
// line break (0: no break at all).
TQDyedTextArray Text(std::size_t words, std::size_t paragraph) {
    static const char* const vocabulary[] = {
        "и",          "в",         "станция",  "файл",         "синхронизация",
        "Alpha",      "Beta",      "folder",   "демонстрация", "шаг",
        "of",         "сценарий",  "transfer", "входная",      "папка",
        "обновление", "a",         "Kelvo",    "ok",           "выход",
        "scheme",     "следующий", "текст",    "окно"};
    std::uint32_t seed = 2463534242u;
    TQDyedMessage message;
    message.Font = Device().Font;
    std::string line;
    for (std::size_t i = 1; i <= words; ++i) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        line += vocabulary[seed % std::size(vocabulary)];
        line += paragraph != 0 && i % paragraph == 0 ? "\r\n" : " ";
    }
    message.AddText(line);
    return message.Pieces;
}

void LayoutText(benchmark::State& state, const TQDyedTextArray& pieces) {
    std::size_t lines = 0;
    std::int64_t measures = 0;
    for (auto _ : state) {
        TCountingMeasurer counting(Device().Measurer());
        const TQDyedLayout layout = Layout(counting, pieces, kWidth);
        lines = layout.Lines.size();
        measures = counting.Measures;
        benchmark::DoNotOptimize(layout.Lines.data());
    }
    const std::size_t paragraphs = pieces.size();
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["paragraphs"] = static_cast<double>(paragraphs);
    state.counters["measures_per_line"] =
        static_cast<double>(measures) / static_cast<double>(lines);
}

} // namespace

int main(int argc, char** argv) {
    // Paragraphs of a few lines, and one paragraph of them all: each over 10,000 lines.
    static const TQDyedTextArray paragraphs = Text(150000, 50);
    static const TQDyedTextArray onePiece = Text(150000, 0);
    benchmark::RegisterBenchmark("layout/paragraphs", [](benchmark::State& s) {
        LayoutText(s, paragraphs);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("layout/one_piece", [](benchmark::State& s) {
        LayoutText(s, onePiece);
    })->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
