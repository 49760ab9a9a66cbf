#include "CheckHere.h"

#include "os/Cp1251.h"
#include "util/JsonText.h"

namespace {

std::string JsonText(const std::string& cp1251Text) {
    return JsonString(cp1251::ToUtf8(cp1251Text));
}

} // namespace

std::string VenueJson(const TVenueReport& report) {
    std::string out = "[";
    for (std::size_t i = 0; i < report.size(); ++i) {
        const TVenueLine& line = report[i];
        out += i > 0 ? ",{" : "{";
        out += "\"check\":" + JsonText(line.Check) +
               ",\"state\":" + JsonText(StateWord(line.State)) +
               ",\"found\":" + JsonText(line.Found) + ",\"details\":[";
        for (std::size_t d = 0; d < line.Details.size(); ++d) {
            if (d > 0)
                out += ',';
            out += JsonText(line.Details[d]);
        }
        out += "]}";
    }
    return out + "]\n";
}
