#include "venue/QVenueProbes.h"

#include "os/Platform.h"
#include "venue/QVenueRules.h"

#include <windows.h>

#include <powrprof.h>

#include <cstdio>
#include <vector>

namespace {

// One thing that could end a step early, as found.
struct TFinding {
    std::string Subject; // "заставка", "от сети: сон"
    std::string Text;    // what was found
    bool Interrupts = false;
    bool Unchecked = false;
};
using TFindings = std::vector<TFinding>;

void NoteTimeout(TFindings& found, const std::string& subject, std::uint32_t seconds,
                 std::optional<std::uint32_t> rehearsalSeconds) {
    TFinding finding{subject, DurationText(seconds)};
    if (TimeoutState(seconds, rehearsalSeconds) != TVenueState::Ready) {
        finding.Text += rehearsalSeconds
                            ? ", короче репетиции (" + DurationText(*rehearsalSeconds) + ")"
                            : ", меньше получаса";
        finding.Interrupts = true;
    }
    found.push_back(finding);
}

void NoteUnchecked(TFindings& found, const std::string& subject, const std::string& reason) {
    found.push_back({subject, "не удалось проверить: " + reason, false, true});
}

void CheckScreenSaver(TFindings& found, std::optional<std::uint32_t> rehearsalSeconds) {
    BOOL active = FALSE;
    UINT timeout = 0;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0) ||
        !SystemParametersInfoW(SPI_GETSCREENSAVETIMEOUT, 0, &timeout, 0))
        NoteUnchecked(found, "заставка", os::SystemErrorText(GetLastError()));
    else if (!active)
        found.push_back({"заставка", "выключена"});
    else
        NoteTimeout(found, "заставка", timeout, rehearsalSeconds);
}

// The power plan's time-outs on mains or on battery, as the system's power policy holds them.
void CheckPowerPlan(TFindings& found, POWER_INFORMATION_LEVEL level, const std::string& source,
                    std::optional<std::uint32_t> rehearsalSeconds) {
    SYSTEM_POWER_POLICY policy{};
    const LONG status = CallNtPowerInformation(level, nullptr, 0, &policy, sizeof policy);
    if (status != 0) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
        NoteUnchecked(found, source, std::string("система ответила ") + code);
        return;
    }
    NoteTimeout(found, source + ": отключение экрана", policy.VideoTimeout, rehearsalSeconds);
    NoteTimeout(found, source + ": сон", policy.IdleTimeout, rehearsalSeconds);
}

void CheckBattery(TFindings& found) {
    SYSTEM_POWER_STATUS power{};
    if (!GetSystemPowerStatus(&power) || power.ACLineStatus == 255)
        NoteUnchecked(found, "питание", "система не знает, от сети ли");
    else if (power.ACLineStatus == 1)
        found.push_back({"питание", "от сети"});
    else
        found.push_back({"питание", "от батареи", true});
}

// "может прервать: заставка; не удалось проверить: от сети, от батареи".
std::string Summary(const TFindings& found) {
    std::string interrupts;
    std::string unchecked;
    for (const TFinding& finding : found) {
        std::string& list = finding.Interrupts ? interrupts : unchecked;
        if (finding.Interrupts || finding.Unchecked)
            list += (list.empty() ? "" : ", ") + finding.Subject;
    }
    if (interrupts.empty() && unchecked.empty())
        return "заставка, отключение экрана и сон не прервут показ";
    std::string summary = interrupts.empty() ? "" : "может прервать: " + interrupts;
    if (!unchecked.empty())
        summary +=
            (summary.empty() ? "" : "; ") + std::string("не удалось проверить: ") + unchecked;
    return summary;
}

} // namespace

TVenueLine InterruptionsLine(std::optional<std::uint32_t> rehearsalSeconds) {
    TFindings found;
    CheckScreenSaver(found, rehearsalSeconds);
    CheckPowerPlan(found, SystemPowerPolicyAc, "от сети", rehearsalSeconds);
    CheckPowerPlan(found, SystemPowerPolicyDc, "от батареи", rehearsalSeconds);
    CheckBattery(found);
    TVenueLine line{TVenueState::Ready, "Перерывы", Summary(found), {}};
    for (const TFinding& finding : found) {
        line.Details.push_back(finding.Subject + ": " + finding.Text);
        if (finding.Interrupts || finding.Unchecked)
            line.State = TVenueState::Warning;
    }
    return line;
}
