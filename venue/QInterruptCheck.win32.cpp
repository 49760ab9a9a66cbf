#include "venue/QVenueProbes.h"

#include "os/Platform.h"
#include "util/TextUtils.h"
#include "venue/QVenueRules.h"

#include <windows.h>

#include <powrprof.h>

#include <cstdio>

namespace {

// A time-out as a detail, and what it means for the state of LINE.
void NoteTimeout(TVenueLine& line, const std::string& what, std::uint32_t seconds,
                 std::optional<std::uint32_t> rehearsalSeconds) {
    const TVenueState state = TimeoutState(seconds, rehearsalSeconds);
    std::string text = what + ": " + DurationText(seconds);
    if (state != TVenueState::Ready) {
        text += rehearsalSeconds ? ", короче репетиции (" + DurationText(*rehearsalSeconds) + ")"
                                 : ", меньше получаса";
        line.State = TVenueState::Warning;
    }
    line.Details.push_back(text);
}

void CheckScreenSaver(TVenueLine& line, std::optional<std::uint32_t> rehearsalSeconds) {
    BOOL active = FALSE;
    UINT timeout = 0;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0) ||
        !SystemParametersInfoW(SPI_GETSCREENSAVETIMEOUT, 0, &timeout, 0)) {
        line.State = TVenueState::Warning;
        line.Details.push_back("заставка: не удалось проверить: " +
                               os::SystemErrorText(GetLastError()));
        return;
    }
    if (!active)
        line.Details.push_back("заставка: выключена");
    else
        NoteTimeout(line, "заставка", timeout, rehearsalSeconds);
}

// The power plan's time-outs on mains or on battery, as the system's power policy holds them.
void CheckPowerPlan(TVenueLine& line, POWER_INFORMATION_LEVEL level, const char* source,
                    std::optional<std::uint32_t> rehearsalSeconds) {
    SYSTEM_POWER_POLICY policy{};
    const LONG status = CallNtPowerInformation(level, nullptr, 0, &policy, sizeof policy);
    const std::string prefix = std::string(source) + ": ";
    if (status != 0) {
        line.State = TVenueState::Warning;
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
        line.Details.push_back(prefix + "не удалось проверить: система ответила " + code);
        return;
    }
    NoteTimeout(line, prefix + "отключение экрана", policy.VideoTimeout, rehearsalSeconds);
    NoteTimeout(line, prefix + "сон", policy.IdleTimeout, rehearsalSeconds);
}

void CheckBattery(TVenueLine& line) {
    SYSTEM_POWER_STATUS power{};
    if (!GetSystemPowerStatus(&power) || power.ACLineStatus == 255) {
        line.State = TVenueState::Warning;
        line.Details.push_back("питание: не удалось проверить: система не знает, от сети ли");
        return;
    }
    if (power.ACLineStatus == 1) {
        line.Details.push_back("питание: от сети");
        return;
    }
    line.State = TVenueState::Warning;
    line.Details.push_back("питание: от батареи");
}

} // namespace

TVenueLine InterruptionsLine(std::optional<std::uint32_t> rehearsalSeconds) {
    TVenueLine line{TVenueState::Ready, "Перерывы", {}, {}};
    CheckScreenSaver(line, rehearsalSeconds);
    CheckPowerPlan(line, SystemPowerPolicyAc, "от сети", rehearsalSeconds);
    CheckPowerPlan(line, SystemPowerPolicyDc, "от батареи", rehearsalSeconds);
    CheckBattery(line);
    line.Found = line.State == TVenueState::Ready
                     ? "заставка, отключение экрана и сон не прервут показ"
                     : "показ может прерваться, или это не удалось проверить";
    return line;
}
