#include "venue/QVenueCheck.h"

#include "os/CodePage.h"
#include "venue/QVenueProbes.h"
#include "venue/QVenueRules.h"

TVenueReport CheckVenue(const TVenueRequest& request) {
    const std::wstring temp = SystemTempFolder();
    std::string schemeDir;
    // The scheme files' names as the demonstration would write them, to find an earlier
    // run's; a folder that cannot be held is the temporary folder's own error.
    if (!win::HeldPath(temp, schemeDir))
        schemeDir.clear();
    TQDemoScript script;
    TVenueReport report;
    report.push_back(ScriptLine(request.Script, schemeDir, script));
    report.push_back(ProductLine(request.Conductor));
    report.push_back(TempLine(temp, script));
    report.push_back(RunningLine(script));
    report.push_back(CodePageLine(request.Script));
    report.push_back(ScreensLine(script));
    report.push_back(InterruptionsLine(request.RehearsalSeconds));
    report.push_back(FileTypesLine(request.Conductor));
    return report;
}
