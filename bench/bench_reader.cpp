// The demo script reader over a large, realistic script: 20 stations, thousands of steps
// with node trees in 20 columns, comments and commands of every kind. Every scheme file is
// built in memory, as the conductor builds them before writing. Besides the speed it
// reports the peak of heap memory against the script plus the schemes it yields.
#include "HeapCounter.h"
#include "script/QTestMessage.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

const char* const Stations[] = {"Office", "Laptop",  "Server",  "Backup",  "Phone",
                                "Tablet", "Branch",  "Archive", "Desktop", "Cloud",
                                "Mirror", "Station", "Kiosk",   "Studio",  "Lab",
                                "Depot",  "Home",    "Garage",  "Annex",   /* 20th */ "Офис"};
constexpr std::uint32_t StationCount = std::size(Stations);
const char* const Words[] = {"отчёт",  "report", "смета", "plan", "данные",
                             "backup", "список", "notes", "архив"};
const char* const States[] = {".New",        ".Changed",        ".Deleted",
                              ".Same",       ".Conflict(Keep)", ".Moved('..\\old')",
                              ".Size:=1024", ".Time:='12:00'"};
constexpr std::size_t ScriptSize = 10 * 1000 * 1000;

// The same pseudo-random script on every run and in both builds.
class TScriptWriter {
public:
    std::string Write() {
        for (std::uint32_t i = 0; i < StationCount; ++i)
            Station(Stations[i], i);
        for (int step = 1; Text_.size() < ScriptSize; ++step)
            Step(step);
        return std::move(Text_);
    }

private:
    std::uint32_t Next(std::uint32_t n) {
        Seed_ ^= Seed_ << 13;
        Seed_ ^= Seed_ >> 17;
        Seed_ ^= Seed_ << 5;
        return Seed_ % n;
    }
    template <std::size_t N>
    const char* Any(const char* const (&items)[N]) {
        return items[Next(N)];
    }
    void Line(const std::string& s) { Text_ += s + "\r\n"; }

    // A station as commands name it: its name when it is an identifier, else its number.
    std::string Ref() {
        const std::uint32_t i = Next(StationCount);
        if (i + 1 == StationCount || Next(6) == 0)
            return std::to_string(i + 1);
        return Stations[i];
    }

    void Station(const std::string& name, std::uint32_t i) {
        Line("'" + name + "' :DemoStation (");
        Line("  .Root := 'C:\\Demo\\" + name + "'; .Interval := " + std::to_string(i * 5) +
             "; // seconds");
        Line("  .Filter := ['*.txt', '*.doc', \"*.x(ls)\"]; .Options := {Compress, Crc(32)};");
        Line(");");
    }

    // The columns of one node line: each station's text, some of them blank or missing.
    std::string Columns() {
        const std::uint32_t count = Next(4) == 0 ? 1 + Next(StationCount) : StationCount;
        std::string line;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (i > 0)
                line += '|';
            if (Next(4) == 0)
                line += Next(2) == 0 ? "" : "  ";
            else
                line += std::string(" ") + Any(States);
        }
        return line;
    }

    void Node(int depth, const std::string& indent, int n) {
        const bool block = depth < 3 && Next(3) == 0;
        const std::string key = depth == 0 ? "Папка " + std::to_string(n)
                                           : std::string(Any(Words)) + std::to_string(n) + ".txt";
        Line(indent + "'" + key + "'" + (block ? " {" : "") + Columns());
        if (!block)
            return;
        const std::uint32_t children = 1 + Next(4);
        for (std::uint32_t i = 0; i < children; ++i)
            Node(depth + 1, indent + "  ", n + static_cast<int>(i));
        if (Next(5) == 0)
            Line(indent + "  // more files follow");
        Line(indent + "}");
    }

    void Step(int step) {
        const std::string n = std::to_string(step);
        if (Next(3) == 0)
            Line("/* Step " + n + ": " + Any(Stations) + " passes its changes on */");
        if (Next(4) != 0)
            Line(".Caption('Шаг " + n + "');");
        Line(".Comment('Станция ' '" + std::string(Any(Stations)) + "' ' отправляет '#171'" +
             Any(Words) + n + ".txt'#187#13#10 \"и ждёт ответа\");");
        const std::uint32_t nodes = 1 + Next(3);
        for (std::uint32_t i = 0; i < nodes; ++i)
            Node(0, "", step + static_cast<int>(i));
        const std::uint32_t commands = 2 + Next(5);
        for (std::uint32_t i = 0; i < commands; ++i)
            Command();
    }

    void Command() {
        switch (Next(7)) {
        case 0:
            Line(Ref() + ".SendTo(" + Ref() + ");");
            break;
        case 1:
            Line(Ref() + ".Sync;  // by name or number");
            break;
        case 2:
            Line(".Next;");
            break;
        case 3:
            Line(Ref() + " . Refresh ;");
            break;
        case 4:
            Line(Ref() + ".CompareByCRC;");
            break;
        case 5:
            Line(Ref() + ".ForceOk; /* and wait */");
            break;
        default:
            Line(Ref() + ".Next;");
            break;
        }
    }

    std::string Text_;
    std::uint32_t Seed_ = 2463534242u;
};

const std::string& Script() {
    static const std::string text = TScriptWriter().Write();
    return text;
}

TQDemoScript ReadScript(const std::string& text) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.SetText(text);
    return ReadDemoText(stm, "C:\\Temp\\");
}

std::size_t SchemeBytes(const TQDemoScript& script) {
    std::size_t bytes = 0;
    for (const TQTestSide& side : script.Sides)
        bytes += side.Scheme.GetText().size();
    return bytes;
}

void ReadDemo(benchmark::State& state) {
    const std::string& text = Script();
    // Memory first, on one reading of its own: what the stream and the tables hold at their
    // peak beyond what was in use before.
    std::size_t schemeBytes = 0;
    std::size_t steps = 0;
    std::size_t peak = 0;
    try {
        const std::size_t before = heap::Now();
        heap::ResetPeak();
        TQDemoScript script = ReadScript(text);
        peak = heap::Peak() - before;
        schemeBytes = SchemeBytes(script);
        steps = script.Steps.size();
    } catch (const EInStm& e) {
        state.SkipWithError(e.what());
        return;
    }
    for (auto _ : state) {
        TQDemoScript script = ReadScript(text);
        benchmark::DoNotOptimize(script.Steps.data());
        // The conductor keeps the tables until it ends; their release is not reading.
        state.PauseTiming();
        script = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    const double mb = 1e6;
    state.counters["script_MB"] = benchmark::Counter(static_cast<double>(text.size()) / mb);
    state.counters["schemes_MB"] = benchmark::Counter(static_cast<double>(schemeBytes) / mb);
    state.counters["peak_MB"] = benchmark::Counter(static_cast<double>(peak) / mb);
    state.counters["peak_ratio"] = benchmark::Counter(
        static_cast<double>(peak) / static_cast<double>(text.size() + schemeBytes));
    state.counters["steps"] = benchmark::Counter(static_cast<double>(steps));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("reader/read_demo_script", ReadDemo)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
