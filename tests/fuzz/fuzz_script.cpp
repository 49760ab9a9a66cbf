// The demo script reader over untrusted scripts, from their bytes as the conductor reads them
// and once more with errors only reported. It ends in a syntax error or in complete tables, and
// every station's scheme holds its head and one section per step, in the scheme folder.
#include "FuzzSupport.h"
#include "errors/err.h"
#include "os/Cp1251.h"
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

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// A file's bytes come back from their text: unchanged, or as the UTF-8 they were.
void CheckDecoding(const std::string& bytes) {
    if (IsUtf16(bytes))
        return;
    const TQDecodedText decoded = DecodeText(bytes);
    if (decoded.Encoding == TQEncoding::Cp1251) {
        Require(decoded.Text == bytes && decoded.Unmapped == NoPos, "cp1251 is taken unchanged");
        return;
    }
    Require(decoded.Unmapped == NoPos ||
                (decoded.Unmapped < decoded.Text.size() && decoded.Text[decoded.Unmapped] == '?'),
            "an unmapped character stands as '?'");
    if (decoded.Unmapped != NoPos)
        return;
    const std::string_view body =
        std::string_view(bytes).substr(std::string_view(bytes).starts_with("\xEF\xBB\xBF") ? 3 : 0);
    Require(cp1251::ToUtf8(decoded.Text) == body, "UTF-8 converts to its own text");
}

// As the conductor reads: every error raised. Anything but a syntax error or a UTF-16 file
// escapes and is reported by libFuzzer.
void ReadRaising(const std::string& bytes) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    TQDemoScript script;
    try {
        stm.SetFileText(bytes); // skips what stands first, which may be an unclosed comment
        script = ReadDemoText(stm, SchemeDir);
    } catch (const EInStm& e) {
        Require(e.Stm == &stm && stm.ErrorPos() <= stm.Text().size(),
                "a syntax error has its place");
        return;
    } catch (const Exception&) {
        Require(IsUtf16(bytes), "only UTF-16 is refused");
        return;
    }
    CheckTables(script, stm.Text().size());
    CheckSchemes(script, stm.Text(), true);
}

// Errors only reported: the reader still ends, and still writes a section for every step.
void ReadReporting(const std::string& bytes) {
    if (IsUtf16(bytes))
        return;
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = 0;
    stm.SetFileText(bytes);
    const TQDemoScript script = ReadDemoText(stm, SchemeDir);
    CheckSchemes(script, stm.Text(), false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::TightText(fuzz::Bytes(data, size));
    CheckDecoding(bytes);
    ReadRaising(bytes);
    ReadReporting(bytes);
    return 0;
}
