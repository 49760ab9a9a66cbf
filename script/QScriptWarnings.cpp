#include "script/QScriptWarnings.h"

#include "os/Cp1251.h"
#include "protocol/QPanelTexts.h"
#include "script/QSchemeSections.h"
#include "util/TextUtils.h"

namespace {

int LineNumber(TQInStm& stm, TQPos pos) {
    return stm.LineOf(pos) + 1;
}

std::string Quoted(const std::string& name) {
    std::string quoted = "\"";
    quoted += cp1251::ToUtf8(name);
    quoted += '"';
    return quoted;
}

// The .Next commands that reach each station; the last step's never run.
std::vector<int> NextsRun(const TQDemoScript& script) {
    std::vector<int> nexts(script.Sides.size(), 0);
    for (std::size_t i = 0; i + 1 < script.Steps.size(); ++i)
        for (const TQTestCmd& cmd : script.Steps[i].Cmds)
            if (cmd.Msg == QM_NEXT && cmd.Side >= 0 &&
                static_cast<std::size_t>(cmd.Side) < nexts.size())
                ++nexts[static_cast<std::size_t>(cmd.Side)];
    return nexts;
}

// A station's window shows the first section of its scheme and moves to the next one with
// each .Next, as the rehearsal station does; with too few it stays behind the panel.
void WarnStationsBehind(const TQDemoScript& script, std::vector<std::string>& warnings) {
    const std::vector<int> nexts = NextsRun(script);
    for (std::size_t i = 0; i < script.Sides.size(); ++i) {
        const TQTestSide& side = script.Sides[i];
        const auto sections = static_cast<int>(SplitScheme(side.Scheme.GetText()).Sections.size());
        if (nexts[i] + 1 >= sections)
            continue;
        warnings.push_back("station " + std::to_string(i + 1) + " " + Quoted(side.Name) +
                           " receives " + std::to_string(nexts[i]) +
                           " .Next before the last step, but its scheme has " +
                           std::to_string(sections) + " sections: its window stays at section " +
                           std::to_string(nexts[i] + 1) + " while the panel goes on to step " +
                           std::to_string(script.Steps.size()));
    }
}

// A station's name reaches it, as its scheme file's name and its window's title, in the
// system's code page: KelvoDemo refuses a name that another code page would garble.
void WarnNonAsciiNames(const TQDemoScript& script, std::vector<std::string>& warnings) {
    for (std::size_t i = 0; i < script.Sides.size(); ++i)
        if (!IsAsciiText(script.Sides[i].Name))
            warnings.push_back("station " + std::to_string(i + 1) + " " +
                               Quoted(script.Sides[i].Name) +
                               " has a name outside ASCII: KelvoDemo refuses it on a Windows "
                               "whose code page is not 1251");
}

} // namespace

std::vector<std::string> ScriptWarnings(const TQDemoScript& script, TQInStm& stm) {
    std::vector<std::string> warnings;
    const auto& sides = script.Sides;
    const auto& steps = script.Steps;
    if (sides.empty())
        warnings.push_back("the script declares no stations: the panel would show " +
                           Quoted(LoadingText) + " until it is closed");
    if (steps.empty())
        warnings.push_back("the script has no steps");
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        if (steps[i].Cmds.empty())
            warnings.push_back("step " + std::to_string(i + 1) + " (line " +
                               std::to_string(LineNumber(stm, script.StepPos[i])) +
                               ") is not the last step but has no commands");
    }
    std::vector<bool> addressed(sides.size(), false);
    for (const TQTestStep& step : steps) {
        for (const TQTestCmd& cmd : step.Cmds) {
            for (std::int32_t side : {cmd.Side, cmd.Arg})
                if (side >= 0 && static_cast<std::size_t>(side) < sides.size())
                    addressed[static_cast<std::size_t>(side)] = true;
        }
    }
    for (std::size_t i = 0; i < sides.size(); ++i) {
        if (!addressed[i])
            warnings.push_back("no command addresses station " + std::to_string(i + 1) + " " +
                               Quoted(sides[i].Name));
    }
    WarnNonAsciiNames(script, warnings);
    WarnStationsBehind(script, warnings);
    return warnings;
}
