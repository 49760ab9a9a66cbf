#include "venue/QVenueRules.h"

#include "errors/err.h"
#include "os/Cp1251.h"
#include "script/QScriptWarnings.h"
#include "util/LineBreaks.h"
#include "util/TextUtils.h"

namespace {

// "Строка 3 поз. 7: ...", at the first non-blank character at or after the error, as the
// syntax error box shows it.
std::string ErrorPlace(TQInStm& stm, const std::string& message) {
    const TQPos p = SkipBlanks(stm.Text(), stm.ErrorPos() == NoPos ? stm.Cur() : stm.ErrorPos());
    return "Строка " + IntToDecimal(stm.LineOf(p) + 1) + " поз. " +
           IntToDecimal(stm.ColumnOf(p) + 1) + ": " + message;
}

// A file's error may explain itself on further lines; the line shows the first.
std::string FirstLine(const std::string& text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    return lines.empty() ? text : std::string(lines.front());
}

// The script at PATH read as the conductor reads it, except that an error is only raised:
// no box is shown. NAMEREADER decides which station names are garbled.
TQDemoScript ReadScript(TQInStm& stm, const std::string& path, const std::string& schemeDir,
                        os::TCodePageReader nameReader = &os::InSystemCodePage) {
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.LoadFromFile(path);
    return ReadDemoText(stm, schemeDir, nameReader);
}

} // namespace

TVenueState TimeoutState(std::uint32_t seconds, std::optional<std::uint32_t> rehearsalSeconds) {
    if (seconds == 0)
        return TVenueState::Ready;
    const std::uint32_t needed = rehearsalSeconds ? *rehearsalSeconds : ShortTimeoutSeconds;
    return seconds < needed ? TVenueState::Warning : TVenueState::Ready;
}

std::string DurationText(std::uint32_t seconds) {
    if (seconds == 0)
        return "никогда";
    if (seconds < 60)
        return IntToDecimal(static_cast<std::int32_t>(seconds)) + " с";
    const std::uint32_t minutes = seconds / 60;
    if (minutes < 60)
        return IntToDecimal(static_cast<std::int32_t>(minutes)) + " мин";
    std::string text = IntToDecimal(static_cast<std::int32_t>(minutes / 60)) + " ч";
    if (minutes % 60 != 0)
        text += ' ' + IntToDecimal(static_cast<std::int32_t>(minutes % 60)) + " мин";
    return text;
}

TVenueLine ScriptLine(const std::string& path, const std::string& schemeDir, TQDemoScript& script) {
    TVenueLine line{TVenueState::Ready, "Сценарий", {}, {}};
    TQInStm stm;
    try {
        script = ReadScript(stm, path, schemeDir);
    } catch (const EInStm& e) {
        return {TVenueState::Error, line.Check, ErrorPlace(stm, e.what()), {}};
    } catch (const Exception& e) {
        return {TVenueState::Error, line.Check, FirstLine(e.Message), {}};
    }
    for (const std::string& warning : ScriptWarnings(script, stm))
        line.Details.push_back(cp1251::FromUtf8(warning));
    line.Found = "читается без ошибок, станций " +
                 IntToDecimal(static_cast<std::int32_t>(script.Sides.size())) + ", шагов " +
                 IntToDecimal(static_cast<std::int32_t>(script.Steps.size()));
    if (!line.Details.empty()) {
        line.State = TVenueState::Warning;
        line.Found +=
            ", предупреждений " + IntToDecimal(static_cast<std::int32_t>(line.Details.size()));
    }
    return line;
}

TVenueLine CodePageLine(const std::string& path) {
    TVenueLine line{TVenueState::Ready,
                    "Кодовая страница",
                    IntToDecimal(static_cast<std::int32_t>(os::SystemCodePage())),
                    {}};
    TQDemoScript script;
    TQInStm stm;
    try {
        // Read as code page 1251 reads it, so that a name this system garbles is found here
        // rather than refused.
        script = ReadScript(stm, path, {}, &cp1251::ToUtf16);
    } catch (const std::exception&) {
        line.State = TVenueState::Warning;
        line.Found += "; имена станций не проверены: сценарий не читается";
        return line;
    }
    for (const TQTestSide& side : script.Sides) {
        const std::string& name = side.Name;
        if (IsAsciiText(name))
            continue;
        if (os::ReadsTheSame(name)) {
            line.Details.push_back(name + ": читается так же");
        } else {
            line.State = TVenueState::Error;
            line.Details.push_back(name + ": искажается, KelvoDemo откажется от сценария");
        }
    }
    if (line.Details.empty())
        line.Found += "; имена станций латинские";
    return line;
}
