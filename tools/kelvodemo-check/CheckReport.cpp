#include "CheckReport.h"

#include "os/Cp1251.h"
#include "util/LineBreaks.h"

#include <string_view>

namespace {

bool IsLatinLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsIdentifier(const std::string& name) {
    if (name.empty() || !IsLatinLetter(name[0]))
        return false;
    for (char c : name)
        if (!IsLatinLetter(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

// The name where the script could use it to address this very station, else the number.
std::string SideWord(std::int32_t side, const std::vector<TQTestSide>& sides) {
    if (side < 0 || static_cast<std::size_t>(side) >= sides.size())
        return "?";
    const std::string& name = sides[static_cast<std::size_t>(side)].Name;
    if (IsIdentifier(name) && FindSideIn(sides, name) == side)
        return name;
    return std::to_string(side + 1);
}

// A text of possibly several lines: the first after `first`, the others after `next`.
void AppendLines(std::string& out, std::string_view text, std::string_view first,
                 std::string_view next) {
    std::string_view before = first;
    for (std::string_view line : SplitLines(text)) {
        out += before;
        out += line;
        out += '\n';
        before = next;
    }
}

} // namespace

std::string CommandText(const TQTestCmd& cmd, const std::vector<TQTestSide>& sides) {
    std::string words = SideWord(cmd.Side, sides);
    words += CommandKeyword(cmd.Msg);
    if (cmd.Msg == QM_SEND) {
        words += '(';
        words += SideWord(cmd.Arg, sides);
        words += ')';
    }
    return cp1251::ToUtf8(words);
}

const char* EncodingName(TQEncoding encoding) {
    return encoding == TQEncoding::Utf8 ? "utf-8" : "cp1251";
}

std::string ScriptSummary(const TQDemoScript& script, TQEncoding encoding) {
    std::string out = std::string("Encoding: ") + EncodingName(encoding) + "\n";
    out += "Stations: " + std::to_string(script.Sides.size()) + "\n";
    for (std::size_t i = 0; i < script.Sides.size(); ++i) {
        const TQTestSide& side = script.Sides[i];
        out += "  " + std::to_string(i + 1) + ". " + cp1251::ToUtf8(side.Name) + " -> " +
               cp1251::ToUtf8(side.SchemeFile) + "\n";
        if (!IsBlankText(side.Setup))
            AppendLines(out, cp1251::ToUtf8(side.Setup), "       | ", "       | ");
    }
    out += "Steps: " + std::to_string(script.Steps.size()) + "\n";
    for (std::size_t i = 0; i < script.Steps.size(); ++i) {
        const TQTestStep& step = script.Steps[i];
        const std::string number = "  " + std::to_string(i + 1) + ". ";
        if (step.Comment.empty())
            out += number + "(no comment)\n";
        else
            AppendLines(out, cp1251::ToUtf8(step.Comment), number, std::string(number.size(), ' '));
        for (const TQTestCmd& cmd : step.Cmds)
            out += "       " + CommandText(cmd, script.Sides) + "\n";
    }
    return out;
}
