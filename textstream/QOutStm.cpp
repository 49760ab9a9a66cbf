// The output stream's lines: the text is built line by line and joined only when asked for.
#include "textstream/QStm.h"

void TQOutStm::Write(std::string_view s) {
    if (s.empty())
        return;
    if (Lines_.empty())
        Lines_.emplace_back();
    Lines_.back() += s;
}

void TQOutStm::NewLine() {
    // On a writer without lines this is the first line, which the next Write fills.
    Lines_.emplace_back();
}

void TQOutStm::WriteLn(std::string_view s) {
    Write(s);
    NewLine();
}

void TQOutStm::WriteText(std::string_view s) {
    s = s.substr(0, s.find('\0'));
    for (std::size_t brk; (brk = s.find_first_of("\r\n")) != std::string_view::npos;) {
        Write(s.substr(0, brk));
        NewLine();
        // Two different break characters in a row are one break; two equal ones are two.
        std::size_t width =
            brk + 1 < s.size() && (s[brk + 1] == '\r' || s[brk + 1] == '\n') && s[brk + 1] != s[brk]
                ? 2
                : 1;
        s.remove_prefix(brk + width);
    }
    Write(s);
}

std::string TQOutStm::GetText() const {
    std::string text;
    for (std::size_t i = 0; i < Lines_.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += Lines_[i];
    }
    return text;
}

void TQOutStm::SaveToFile(const std::string& fileName) const {
    SaveTextFile(GetText(), fileName);
}
