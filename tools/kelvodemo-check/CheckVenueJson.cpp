#include "CheckHere.h"
#include "CheckJson.h"

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
