#include "util/TextList.h"

#include "os/Platform.h"

#include <algorithm>

namespace {

// An item of a loaded list is a zero-terminated text: it ends at its first zero byte.
std::string ItemText(std::string_view line) {
    return std::string(line.substr(0, line.find('\0')));
}

// A list file's lines end at CR alone (an LF right after it is skipped), not at every line
// break of the system's texts: an item of a list may hold a lone LF.
std::vector<std::string> ListLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t cr; (cr = text.find('\r', start)) != std::string_view::npos;) {
        lines.push_back(ItemText(text.substr(start, cr - start)));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    if (start < text.size())
        lines.push_back(ItemText(text.substr(start)));
    return lines;
}

} // namespace

int TTextList::Add(const std::string& s) {
    Items_.push_back(s);
    return Count() - 1;
}

std::string TTextList::Item(int i) const {
    if (i < 0 || i >= Count())
        return {};
    return Items_[static_cast<std::size_t>(i)];
}

int TTextList::IndexOf(const std::string& s) const {
    if (s.empty())
        return -1;
    auto found = std::find(Items_.begin(), Items_.end(), s);
    return found == Items_.end() ? -1 : static_cast<int>(found - Items_.begin());
}

void TTextList::Delete(int i) {
    if (i >= 0 && i < Count())
        Items_.erase(Items_.begin() + i);
}

void TTextList::Clear() {
    Items_.clear();
}

bool TTextList::LoadFromFile(const std::string& path) {
    std::string text;
    if (!os::ReadWholeFile(path, text))
        return false;
    Items_ = ListLines(text);
    return true;
}
