#include "CheckError.h"

#include "os/Cp1251.h"
#include "util/LineBreaks.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace {

// The lines of a text. `open` tells whether the last line is unfinished (the text does not
// end with a break); when it is finished, no empty line follows it.
std::vector<std::string> LinesOf(std::string_view text, bool& open) {
    const std::vector<std::string_view> lines = SplitLines(text);
    open = text.empty() || !IsLineBreak(text.back());
    return {lines.begin(), lines.end() - (open ? 0 : 1)};
}

std::string Numbered(int line, const std::string& text) {
    char number[16];
    std::snprintf(number, sizeof number, "%6d | ", line);
    return number + cp1251::ToUtf8(text) + "\n";
}

// Blanks as wide as `head`, whose tabs are expanded already: a ^ after them stands under the
// next character.
std::string CaretLine(const std::string& head) {
    return "       | " + std::string(head.size(), ' ') + "^\n";
}

} // namespace

std::string SyntaxErrorReport(const std::string& script, const std::string& message, TQInStm& stm) {
    // Line, column and excerpt all refer to the first non-blank character at or after the
    // reported position, as the error box shows them.
    const std::string& text = stm.Text();
    const TQPos p = SkipBlanks(text, stm.ErrorPos() == NoPos ? stm.Cur() : stm.ErrorPos());
    const int line = stm.LineOf(p) + 1;
    const int column = stm.ColumnOf(p) + 1;
    std::string out = script + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                      cp1251::ToUtf8(message) + "\n";

    const TQInStm::TExcerpt excerpt = TQInStm::ExpandTabs(stm.GetExcerpt(p));
    bool beforeOpen = false;
    std::vector<std::string> before = LinesOf(excerpt.Before, beforeOpen);
    const std::string head = beforeOpen ? before.back() : std::string();
    if (beforeOpen)
        before.pop_back();
    bool afterOpen = false;
    std::vector<std::string> after = LinesOf(excerpt.After, afterOpen);
    // At the end of the text the excerpt holds only blanks that stand for the missing rest.
    const bool atEnd = p >= text.size() || text[p] == 0;
    const std::string tail = after.empty() || atEnd ? std::string() : after.front();

    int number = line - static_cast<int>(before.size());
    for (const std::string& l : before)
        out += Numbered(number++, l);
    out += Numbered(line, head + tail);
    out += CaretLine(head);
    for (std::size_t i = 1; i < after.size(); ++i)
        out += Numbered(line + static_cast<int>(i), after[i]);
    return out;
}
