#include "script/QSchemeSections.h"

#include "util/LineBreaks.h"
#include "util/TextUtils.h"

namespace {

// The scheme's lines; the empty one after a final break is none.
std::vector<std::string> SchemeLines(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    return {lines.begin(), lines.end() - (lines.back().empty() ? 1 : 0)};
}

bool IsLine(const std::string& line, std::string_view what) {
    return TrimBlanks(line) == what;
}

// The first line after the head.
int BodyStart(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsLine(lines[i], ".Interactive:=true;"))
            continue;
        const std::size_t next = i + 1;
        return static_cast<int>(next < lines.size() && TrimBlanks(lines[next]).empty() ? next + 1
                                                                                       : next);
    }
    return 0;
}

} // namespace

TSchemeText SplitScheme(std::string_view text) {
    TSchemeText scheme;
    scheme.Lines = SchemeLines(text);
    const int count = static_cast<int>(scheme.Lines.size());
    int first = BodyStart(scheme.Lines);
    for (int i = first; i < count; ++i) {
        if (IsLine(scheme.Lines[static_cast<std::size_t>(i)], ".Pause;")) {
            scheme.Sections.push_back({first, i});
            // The conductor parts the sections with a blank line, which is no one's.
            first = i + 1;
            while (first < count &&
                   TrimBlanks(scheme.Lines[static_cast<std::size_t>(first)]).empty())
                ++first;
        }
    }
    // Text after the last pause that is more than the blank line the conductor ends with.
    for (int i = first; i < count; ++i) {
        if (!TrimBlanks(scheme.Lines[static_cast<std::size_t>(i)]).empty()) {
            scheme.Sections.push_back({first, count - 1});
            break;
        }
    }
    return scheme;
}
