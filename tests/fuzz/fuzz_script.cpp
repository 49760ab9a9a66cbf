// The demo script reader over untrusted scripts, as the conductor reads them and once more
// with errors only reported. It ends in a syntax error or in complete tables, and every
// station's scheme holds its head and one section per step, in the scheme folder.
#include "FuzzSupport.h"
#include "script/QTestMessage.h"

#include <algorithm>

namespace {

using fuzz::Require;

const std::string SchemeDir = "C:\\Temp\\";

// What every scheme begins with: the station's setup text and the demo data head.
std::string SchemeHead(const std::string& setup) {
    TQOutStm head;
    head.WriteText(setup);
    head.NewLine();
    head.WriteLn("Demo data:");
    head.WriteLn(".Interactive:=true;");
    head.NewLine();
    return head.GetText();
}

// How many of the text's lines, cut at CR LF, equal `line`.
std::size_t CountLines(std::string_view text, std::string_view line) {
    std::size_t count = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = std::min(text.find("\r\n", start), text.size());
        count += text.substr(start, end - start) == line;
        start = end + 2;
    }
    return count;
}

void CheckSchemes(const TQDemoScript& script, std::string_view source, bool namesChecked) {
    // A key may hold line breaks through # codes, and with them a line of its own that reads
    // like the end of a section; without a # every such line ends one.
    const bool exact = source.find('#') == std::string_view::npos;
    for (const TQTestSide& side : script.Sides) {
        const std::string& text = side.Scheme.GetText();
        const std::string head = SchemeHead(side.Setup);
        Require(text.compare(0, head.size(), head) == 0, "a scheme begins with its head");
        const std::size_t sections =
            CountLines(std::string_view(text).substr(head.size()), ".Pause;");
        Require(exact ? sections == script.Steps.size() : sections >= script.Steps.size(),
                "a scheme holds one section per step");
        Require(side.SchemeFile == SchemeDir + side.Name + ".kelvo", "a scheme file is named");
        // A name that would lead out of the folder is a syntax error, and only raised errors
        // stop the reader.
        if (namesChecked)
            Require(side.Name.find_first_of("\\/:") == std::string::npos && side.Name != "." &&
                        side.Name != "..",
                    "a scheme file lies in the scheme folder");
    }
}

bool IsStation(std::int32_t index, const TQDemoScript& script) {
    return index >= 0 && static_cast<std::size_t>(index) < script.Sides.size();
}

void CheckTables(const TQDemoScript& script, std::size_t textSize) {
    Require(script.SidePos.size() == script.Sides.size() &&
                script.StepPos.size() == script.Steps.size(),
            "every station and step has its place in the text");
    Require(std::is_sorted(script.StepPos.begin(), script.StepPos.end()) &&
                (script.StepPos.empty() || script.StepPos.back() <= textSize),
            "steps lie in the text in order");
    for (const TQTestStep& step : script.Steps) {
        for (const TQTestCmd& cmd : step.Cmds) {
            const bool known =
                std::any_of(CommandWords.begin(), CommandWords.end(),
                            [&](const TQCommandWord& w) { return w.Msg == cmd.Msg; });
            Require(known && IsStation(cmd.Side, script),
                    "a command names a station and a message");
            Require(cmd.Msg == QM_SEND ? IsStation(cmd.Arg, script) : cmd.Arg == -1,
                    "only a transfer has a target, and it is a station");
        }
    }
}

// As the conductor reads: every error raised. Anything but a syntax error escapes and is
// reported by libFuzzer.
void ReadRaising(const std::string& text) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    TQDemoScript script;
    try {
        stm.SetText(text); // skips what stands first, which may be an unclosed comment
        script = ReadDemoText(stm, SchemeDir);
    } catch (const EInStm& e) {
        Require(e.Stm == &stm && stm.ErrorPos() <= text.size(), "a syntax error has its place");
        return;
    }
    CheckTables(script, text.size());
    CheckSchemes(script, text, true);
}

// Errors only reported: the reader still ends, and still writes a section for every step.
void ReadReporting(const std::string& text) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = 0;
    stm.SetText(text);
    const TQDemoScript script = ReadDemoText(stm, SchemeDir);
    CheckSchemes(script, text, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::TightText(fuzz::Bytes(data, size));
    ReadRaising(text);
    ReadReporting(text);
    return 0;
}
