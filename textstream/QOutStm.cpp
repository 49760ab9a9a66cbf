// The output stream's text, kept joined: a new line appends CR LF, except the first one,
// which only starts the first line.
#include "textstream/QStm.h"
#include "util/LineBreaks.h"

#include <algorithm>

namespace {

constexpr std::string_view Break = "\r\n";

} // namespace

void TQOutStm::Append(std::string_view s) {
    if (s.empty())
        return;
    if (LineCount_ == 0)
        LineCount_ = 1;
    Text_ += s;
}

void TQOutStm::Write(std::string_view s) {
    if (s.empty())
        return;
    // A CR LF that a piece brings, or that it completes with the previous piece's CR, is no
    // line break; remember it so that Lines() keeps it inside its line.
    const std::size_t start = Text_.size();
    if (s.front() == '\n' && start > 0 && Text_.back() == '\r')
        InnerBreaks_.push_back(start - 1);
    for (std::size_t p = s.find(Break); p != std::string_view::npos; p = s.find(Break, p + 1))
        InnerBreaks_.push_back(start + p);
    Append(s);
}

void TQOutStm::NewLine() {
    // On a writer without lines this is the first line, which the next Write fills.
    if (LineCount_ > 0)
        Text_ += Break;
    ++LineCount_;
}

void TQOutStm::WriteLn(std::string_view s) {
    Write(s);
    NewLine();
}

void TQOutStm::WriteText(std::string_view s) {
    // The pieces between breaks hold no CR or LF, so they are appended as they are.
    s = s.substr(0, s.find('\0'));
    for (std::size_t start = 0;;) {
        const TLineSpan line = LineAt(s, start);
        Append(s.substr(start, line.End - start));
        if (line.End == s.size())
            return;
        NewLine();
        start = line.Next;
    }
}

std::vector<std::string> TQOutStm::Lines() const {
    std::vector<std::string> lines;
    if (LineCount_ == 0)
        return lines;
    lines.reserve(LineCount_);
    auto inner = InnerBreaks_.begin();
    std::size_t lineStart = 0;
    for (std::size_t p = Text_.find(Break); p != std::string::npos; p = Text_.find(Break, p + 1)) {
        inner = std::lower_bound(inner, InnerBreaks_.end(), p);
        if (inner != InnerBreaks_.end() && *inner == p)
            continue;
        lines.push_back(Text_.substr(lineStart, p - lineStart));
        lineStart = p + Break.size();
    }
    lines.push_back(Text_.substr(lineStart));
    return lines;
}

void TQOutStm::SaveToFile(const std::string& fileName) const {
    SaveTextFile(GetText(), fileName);
}
