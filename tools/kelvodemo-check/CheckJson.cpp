#include "CheckJson.h"
#include "CheckReport.h"

#include "os/Cp1251.h"
#include "util/JsonText.h"

namespace {

void AppendCommands(std::string& out, const TQTestCmdArray& cmds) {
    out += "[";
    for (std::size_t i = 0; i < cmds.size(); ++i) {
        if (i > 0)
            out += ",";
        out += "{\"side\":" + std::to_string(cmds[i].Side) +
               ",\"msg\":" + std::to_string(cmds[i].Msg) +
               ",\"arg\":" + std::to_string(cmds[i].Arg) + "}";
    }
    out += "]";
}

} // namespace

std::string JsonText(const std::string& cp1251Text) {
    return JsonString(cp1251::ToUtf8(cp1251Text));
}

std::string ScriptJson(const TQDemoScript& script, TQEncoding encoding) {
    std::string out = "{\"encoding\":" + JsonString(EncodingName(encoding)) + ",\n\"stations\":[";
    for (std::size_t i = 0; i < script.Sides.size(); ++i) {
        const TQTestSide& side = script.Sides[i];
        out += i > 0 ? ",\n  " : "\n  ";
        out += "{\"name\":" + JsonText(side.Name) + ",\"setup\":" + JsonText(side.Setup) +
               ",\"schemeFile\":" + JsonText(side.SchemeFile) + "}";
    }
    out += "],\n\"steps\":[";
    for (std::size_t i = 0; i < script.Steps.size(); ++i) {
        const TQTestStep& step = script.Steps[i];
        out += i > 0 ? ",\n  " : "\n  ";
        out += "{\"comment\":" + JsonText(step.Comment) + ",\"commands\":";
        AppendCommands(out, step.Cmds);
        out += "}";
    }
    out += "]}\n";
    return out;
}
