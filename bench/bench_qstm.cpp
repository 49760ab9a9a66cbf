// Reading speed of the input stream over a large demo script: keywords, identifiers, strings
// with character codes, numbers, comments and bracketed groups in a script's usual mix.
#include "textstream/QStm.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

const char* const Stations[] = {"Office", "Laptop", "Server", "Backup", "Phone"};
const char* const Words[] = {"отчёт",  "report", "смета", "plan", "данные",
                             "backup", "список", "notes", "архив"};
constexpr std::size_t ScriptSize = 10 * 1000 * 1000;

// The same pseudo-random script on every run and in both builds.
class TScriptWriter {
public:
    std::string Write() {
        for (const char* name : Stations)
            Station(name);
        Station("Офис"); // reached by number only
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
    const char* AnyStation() { return Stations[Next(std::size(Stations))]; }
    const char* AnyWord() { return Words[Next(std::size(Words))]; }
    void Line(const std::string& s) { Text_ += s + "\r\n"; }
    std::string Number(std::uint32_t n) { return std::to_string(Next(n)); }

    void Station(const std::string& name) {
        Line("'" + name + "' :DemoStation (");
        Line("  .Root := 'C:\\Demo\\" + name + "'; .Interval := " + Number(60) + "; // seconds");
        Line("  .Filter := ['*.txt', '*.doc', \"*.x(ls)\"]; .Options := {Compress, Crc(32)};");
        Line(");");
    }

    void Step(int step) {
        const std::string n = std::to_string(step);
        if (Next(3) == 0)
            Line("/* Step " + n + ": " + AnyStation() + " passes its changes on */");
        Line(".Caption('Шаг " + n + "');");
        Line(".Comment('Станция ' '" + std::string(AnyStation()) + "' ' отправляет '#171'" +
             AnyWord() + n + ".txt'#187#13#10 \"и ждёт ответа\");");
        const std::uint32_t commands = 2 + Next(6);
        for (std::uint32_t i = 0; i < commands; ++i)
            Command();
    }

    void Command() {
        switch (Next(8)) {
        case 0:
            Line(std::string(AnyStation()) + ".SendTo(" + AnyStation() + ");");
            break;
        case 1:
            Line(std::to_string(Next(5) + 1) + ".Sync;  // by number");
            break;
        case 2:
            Line(".Next;");
            break;
        case 3:
            Line(std::string(AnyStation()) + ".Refresh;");
            break;
        case 4:
            Line(std::string(AnyStation()) + ".Set(Interval, " + Number(1000) + ");");
            break;
        case 5:
            Line(std::string(AnyStation()) + ".Config([" + AnyWord() + ", (" + Number(100) +
                 ", 'a)b')] /* ) */ {x});");
            break;
        case 6:
            Line(std::string(AnyStation()) + ".CompareByCRC;");
            break;
        default:
            Line(std::string(AnyStation()) + ".ForceOk;");
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

// What was read, so that nothing of it can be optimised away.
struct TTally {
    std::size_t Stations = 0;
    std::size_t Steps = 0;
    std::size_t Commands = 0;
    std::size_t Chars = 0;
    std::int64_t Numbers = 0;
};

class TScriptReader {
public:
    TScriptReader(TQInStm& stm, TTally& tally) : S_(stm), T_(tally) {}

    void Read() {
        while (!S_.AtEnd()) {
            if (S_.IsString())
                Station();
            else if (S_.AcceptLiteral(".Caption("))
                Caption();
            else if (S_.AcceptLiteral(".Comment("))
                Comment();
            else
                Command();
        }
    }

private:
    void Station() {
        T_.Chars += S_.ReadString().size();
        S_.ExpectLiteral(":DemoStation");
        T_.Chars += S_.ReadBrackets().size();
        S_.ExpectLiteral(";");
        ++T_.Stations;
    }

    void Caption() {
        T_.Chars += S_.ReadString().size();
        S_.ExpectLiteral(");");
        ++T_.Steps;
    }

    void Comment() {
        while (S_.IsString())
            T_.Chars += S_.ReadString().size();
        S_.ExpectLiteral(");");
    }

    void SideRef() {
        if (S_.IsIdent())
            T_.Chars += S_.ReadIdent().size();
        else if (!S_.IsLiteral("."))
            T_.Numbers += S_.ReadInt();
    }

    void Command() {
        SideRef();
        if (S_.AcceptLiteral(".SendTo")) {
            S_.ExpectLiteral("(");
            SideRef();
            S_.ExpectLiteral(")");
        } else if (S_.AcceptLiteral(".Set")) {
            S_.ExpectLiteral("(");
            T_.Chars += S_.ReadIdent().size();
            S_.ExpectLiteral(",");
            T_.Numbers += S_.ReadInt();
            S_.ExpectLiteral(")");
        } else if (S_.AcceptLiteral(".Config")) {
            T_.Chars += S_.ReadBrackets().size();
        } else if (!AcceptKeyword()) {
            S_.Error("Неправильная команда");
        }
        S_.ExpectLiteral(";");
        ++T_.Commands;
    }

    bool AcceptKeyword() {
        for (const char* keyword : {".Next", ".Refresh", ".Sync", ".ForceOk", ".CompareByCRC"})
            if (S_.AcceptLiteral(keyword))
                return true;
        return false;
    }

    TQInStm& S_;
    TTally& T_;
};

void ReadScript(benchmark::State& state) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.SetText(Script()); // held once; every round starts again from its beginning
    TTally tally;
    try {
        TScriptReader(stm, tally).Read();
    } catch (const EInStm& e) {
        state.SkipWithError(e.what());
        return;
    }
    for (auto _ : state) {
        tally = {};
        stm.Reset();
        TScriptReader(stm, tally).Read();
        benchmark::DoNotOptimize(tally);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(stm.Text().size()));
    state.counters["commands"] = benchmark::Counter(static_cast<double>(tally.Commands));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("qstm/read_script", ReadScript)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
