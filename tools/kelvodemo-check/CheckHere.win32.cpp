#include "CheckHere.h"

#include "os/CodePage.h"
#include "os/Cp1251.h"
#include "os/Platform.h"
#include "os/Wide.h"
#include "protocol/QProgramNames.h"
#include "util/CmdLine.h"
#include "util/TextUtils.h"

#include <cstdlib>

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesW(win::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The installed layout: KelvoDemo.exe beside the checker, or in the folder above tools\.
std::string DefaultConductor() {
    const std::string folder = FolderPart(win::HeldOrNear(WideCmdLineParam(0)));
    const std::string beside = folder + ConductorProgram;
    if (Exists(beside) || folder.size() < 2)
        return beside;
    const std::string parent = FolderPart(folder.substr(0, folder.size() - 1));
    return Exists(parent + ConductorProgram) ? parent + ConductorProgram : beside;
}

// The rehearsal's total time from its report's "totalMs"; nothing when the report has none.
std::optional<std::uint32_t> RehearsalSeconds(const std::string& report, std::string& error) {
    std::string json;
    if (!os::ReadWholeFile(report, json, nullptr)) {
        error = "kelvodemo-check: cannot read the rehearsal report " + cp1251::ToUtf8(report);
        return std::nullopt;
    }
    const std::size_t key = json.find("\"totalMs\":");
    if (key == std::string::npos) {
        error = "kelvodemo-check: " + cp1251::ToUtf8(report) + " has no totalMs";
        return std::nullopt;
    }
    const unsigned long long ms = std::strtoull(json.c_str() + key + 10, nullptr, 10);
    return static_cast<std::uint32_t>((ms + 999) / 1000);
}

} // namespace

int CheckHere(const TCheckOptions& options, TCheckOutput& output) {
    TVenueRequest request;
    request.Script = options.Script;
    request.Conductor = options.Conductor.empty() ? DefaultConductor() : options.Conductor;
    if (!options.Rehearsal.empty()) {
        std::string error;
        request.RehearsalSeconds = RehearsalSeconds(options.Rehearsal, error);
        if (!request.RehearsalSeconds) {
            output.Err += error + "\n";
            return 1;
        }
    }
    const TVenueReport report = CheckVenue(request);
    output.Out += options.Json ? VenueJson(report) : cp1251::ToUtf8(VenueText(report));
    return HasError(report) ? 1 : 0;
}
