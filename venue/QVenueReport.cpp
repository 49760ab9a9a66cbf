#include "venue/QVenueCheck.h"

#include <algorithm>

const char* StateWord(TVenueState state) {
    switch (state) {
    case TVenueState::Ready:
        return "готово";
    case TVenueState::Warning:
        return "внимание";
    case TVenueState::Error:
        break;
    }
    return "ошибка";
}

bool HasError(const TVenueReport& report) {
    return std::any_of(report.begin(), report.end(),
                       [](const TVenueLine& line) { return line.State == TVenueState::Error; });
}

TVenueLine NotChecked(std::string check, const std::string& reason) {
    return {TVenueState::Warning, std::move(check), "не удалось проверить: " + reason, {}};
}

std::string VenueText(const TVenueReport& report) {
    std::string out;
    for (const TVenueLine& line : report) {
        std::string state = StateWord(line.State);
        state.resize(10, ' ');
        out += state + line.Check + ": " + line.Found + "\n";
        for (const std::string& detail : line.Details)
            out += "          " + detail + "\n";
    }
    return out;
}
