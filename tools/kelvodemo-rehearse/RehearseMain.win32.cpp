// kelvodemo-rehearse: runs a demonstration unattended, as a presenter would, and reports how
// it went. Usage: kelvodemo-rehearse [options] SCRIPT (see --help).
#include "Rehearsal.h"
#include "RehearseHtml.h"
#include "RehearseOptions.h"
#include "RehearseReport.h"
#include "RehearseScript.h"

#include "os/Cp1251.h"
#include "os/Platform.h"
#include "protocol/QProgramNames.h"
#include "textstream/QStm.h"
#include "util/CmdLine.h"
#include "util/Console.h"
#include "util/TextUtils.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string TempFolder() {
    char buffer[MAX_PATH + 1] = {};
    std::string folder(buffer, GetTempPathA(sizeof buffer, buffer));
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string ConductorExe() {
    return FolderPart(ProgramPath(), "\\") + ConductorProgram;
}

void Complain(const std::string& text) {
    WriteStderr("kelvodemo-rehearse: " + cp1251::ToUtf8(text) + "\n");
}

// The page goes into the screenshots' folder, which names them relative to itself.
std::string PagePath(const std::string& shotsDir) {
    const bool slashes =
        shotsDir.find('/') != std::string::npos && shotsDir.find('\\') == std::string::npos;
    return shotsDir + (slashes ? "/" : "\\") + "report.html";
}

} // namespace

int main(int argc, char** argv) {
    TRehearseOptions options;
    try {
        options = ParseRehearseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ERehearseUsage& e) {
        Complain(std::string(e.what()) + "\nTry kelvodemo-rehearse --help");
        return 2;
    }
    if (options.Help) {
        WriteStdout(RehearseUsageText());
        return 0;
    }
    TScriptOutline script;
    try {
        script = ReadScriptOutline(options.Script);
    } catch (const EInStm& e) {
        Complain(options.Script + ": " + e.what() + " (kelvodemo-check shows where)");
        return 2;
    } catch (const std::exception& e) {
        Complain(options.Script + ": " + e.what());
        return 2;
    }
    if (script.Comments.empty()) {
        Complain(options.Script + ": the script has no steps");
        return 2;
    }
    const TRehearsalReport report = Rehearse(options, script, ConductorExe(), TempFolder());
    WriteStdout(ReportText(report));
    if (!options.JsonFile.empty() && !os::WriteWholeFile(options.JsonFile, ReportJson(report))) {
        Complain("cannot write " + options.JsonFile);
        return 1;
    }
    if (!options.ShotsDir.empty() &&
        !os::WriteWholeFile(PagePath(options.ShotsDir), ReportHtml(report))) {
        Complain("cannot write " + PagePath(options.ShotsDir));
        return 1;
    }
    return report.Passed() ? 0 : 1;
}
