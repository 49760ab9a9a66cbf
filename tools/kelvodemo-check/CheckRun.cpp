#include "CheckRun.h"

#include "CheckError.h"
#include "CheckHere.h"
#include "CheckJson.h"
#include "CheckOptions.h"
#include "CheckReport.h"
#include "script/QScriptWarnings.h"

#include "errors/err.h"
#include "os/Cp1251.h"
#include "script/QTestMessage.h"
#include "util/LineBreaks.h"

namespace {

// The conductor's stream, except that an error is only raised: no window is opened.
TQEncoding OpenScript(TQInStm& stm, const std::string& path) {
    stm.Mode = smScript;
    stm.Options = RaiseError;
    return stm.LoadFromFile(path);
}

// "SCRIPT: MESSAGE"; a message's further lines, such as why a file cannot be read, indented.
std::string FileError(const std::string& shown, const Exception& e) {
    std::string out = shown + ": ";
    const std::string message = cp1251::ToUtf8(e.Message);
    std::string_view before;
    for (std::string_view line : SplitLines(message)) {
        out += before;
        out += line;
        before = "\n  ";
    }
    return out + "\n";
}

int CheckScript(const TCheckOptions& options, TCheckOutput& output) {
    const std::string shown = cp1251::ToUtf8(options.Script);
    TQInStm stm;
    TQDemoScript script;
    TQEncoding encoding = TQEncoding::Cp1251;
    try {
        encoding = OpenScript(stm, options.Script);
        const std::string schemeDir =
            options.OutDir.empty() ? std::string() : FolderPrefix(options.OutDir);
        script = ReadDemoText(stm, schemeDir);
    } catch (const EInStm& e) {
        output.Err += SyntaxErrorReport(shown, e.what(), stm);
        return 1;
    } catch (const Exception& e) {
        output.Err += FileError(shown, e);
        return 1;
    }
    for (const std::string& warning : ScriptWarnings(script, stm))
        output.Err += shown + ": warning: " + warning + "\n";
    if (!options.OutDir.empty()) {
        try {
            SaveSchemes(script.Sides);
        } catch (const Exception& e) {
            output.Err += FileError(shown, e);
            return 1;
        }
    }
    output.Out += options.Json ? ScriptJson(script, encoding) : ScriptSummary(script, encoding);
    return 0;
}

} // namespace

int RunCheck(const std::vector<std::string>& args, TCheckOutput& output) {
    TCheckOptions options;
    try {
        options = ParseCheckOptions(args);
    } catch (const EUsage& e) {
        output.Err += std::string("kelvodemo-check: ") + cp1251::ToUtf8(e.what()) +
                      "\nTry kelvodemo-check --help\n";
        return 2;
    }
    if (options.Help) {
        output.Out += CheckUsageText();
        return 0;
    }
    return options.Here ? CheckHere(options, output) : CheckScript(options, output);
}
