// Lines and columns of positions in the input stream's text, and the excerpt around one, for
// the syntax error report. A line break is a single CR or LF, or two different ones in a row.
#include "textstream/QStm.h"
#include "textstream/QStmChars.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace qstm;

namespace {

// Whether p is on the second character of a two-character line break. Within a run of break
// characters the pairs are counted from the run's end, so p is one when its character
// differs from the one before and equals the run's last one.
bool IsSecondOfPair(const std::string& text, TQPos p) {
    if (p == 0 || p >= text.size() || !IsLineBreak(text[p]) || !IsLineBreak(text[p - 1]) ||
        text[p] == text[p - 1])
        return false;
    TQPos last = p;
    while (last + 1 < text.size() && IsLineBreak(text[last + 1]))
        ++last;
    return text[last] == text[p];
}

TQPos BackOffSecond(const std::string& text, TQPos p) {
    return IsSecondOfPair(text, p) ? p - 1 : p;
}

// Counts line breaks from break characters met in increasing order. Two different break
// characters in a row are one break, wherever the pairing starts: in a stretch where every
// character differs from the one before, the breaks are half its length, rounded up.
class TBreakCounter {
public:
    explicit TBreakCounter(const char* text) : Text_(text) {}

    void Visit(std::size_t k) {
        if (Open_ != 0 && Open_ == k && Text_[k - 1] != Text_[k]) {
            Open_ = 0; // closes the pair that the character before opened
        } else {
            ++Count_;
            Open_ = k + 1;
        }
    }
    std::size_t Count() const { return Count_; }

private:
    const char* Text_;
    std::size_t Count_ = 0;
    std::size_t Open_ = 0; // one past a break character that opened a break, or 0
};

// Line breaks among the characters [from, to). Error reports on large texts count their
// lines through this, so it looks at sixteen characters at a time where it can.
std::size_t BreaksIn(const std::string& text, TQPos from, TQPos to) {
    const char* base = text.data();
    TBreakCounter counter(base);
    std::size_t k = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; to - k >= 16; k += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + k));
        __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf));
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0;
             mask &= mask - 1)
            counter.Visit(k + static_cast<std::size_t>(__builtin_ctz(mask)));
    }
#endif
    for (; k < to; ++k)
        if (IsLineBreak(base[k]))
            counter.Visit(k);
    return counter.Count();
}

// The breaks between from and to, a position on the second character of a pair counting as
// on its first.
std::size_t CountBreaks(const std::string& text, TQPos from, TQPos to) {
    to = BackOffSecond(text, to);
    return from < to ? BreaksIn(text, from, to) : 0;
}

// A count up to p may be taken further from p only where no run of break characters goes
// through p; inside one, the pairing of its characters depends on where the count ends.
bool CanResumeAt(const std::string& text, TQPos p) {
    return p == 0 || p >= text.size() || !IsLineBreak(text[p]) || !IsLineBreak(text[p - 1]);
}

} // namespace

int TQInStm::LineOf(TQPos p) {
    p = std::min(p == NoPos ? Cur_ : p, Text_.size());
    if (p <= LineCachePos_)
        return static_cast<int>(CountBreaks(Text_, 0, p));
    std::size_t count =
        static_cast<std::size_t>(LineCacheCount_) + CountBreaks(Text_, LineCachePos_, p);
    if (CanResumeAt(Text_, p)) {
        LineCachePos_ = p;
        LineCacheCount_ = static_cast<std::int32_t>(count);
    }
    return static_cast<int>(count);
}

int TQInStm::ColumnOf(TQPos p) const {
    p = std::min(p == NoPos ? Cur_ : p, Text_.size());
    p = BackOffSecond(Text_, p);
    return static_cast<int>(p - LineStart(p));
}

TQPos TQInStm::LineStart(TQPos p) const {
    p = BackOffSecond(Text_, std::min(p, Text_.size()));
    while (p > 0 && !IsLineBreak(Text_[p - 1]))
        --p;
    return p;
}

TQPos TQInStm::NextLine(TQPos p) const {
    p = BackOffSecond(Text_, std::min(p, Text_.size()));
    while (Text_[p] != 0 && !IsLineBreak(Text_[p]))
        ++p;
    return p + BreakLength(Text_, p);
}

namespace {

// Each side of an excerpt shows lines until they have cost this much.
constexpr int kExcerptUnits = 8;

int LineCost(std::string_view line) {
    return IsBlankText(line) ? 1 : 2;
}

constexpr std::size_t kTabWidth = 8;

// `column` is where the text starts in its line, and where it ends on return.
std::string WithTabsExpanded(std::string_view text, std::size_t& column) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\t') {
            const std::size_t blanks = kTabWidth - column % kTabWidth;
            out.append(blanks, ' ');
            column += blanks;
            continue;
        }
        out += c;
        column = IsLineBreak(c) ? 0 : column + 1;
    }
    return out;
}

} // namespace

TQInStm::TExcerpt TQInStm::GetExcerpt(TQPos p) const {
    p = std::min(p, Text_.size());
    TExcerpt excerpt;
    const std::string_view text(Text_);
    if (Text_[p] != 0) {
        TQPos end = NextLine(p);
        for (int units = 0; Text_[end] != 0 && units < kExcerptUnits;) {
            TQPos next = NextLine(end);
            units += LineCost(text.substr(end, next - end));
            end = next;
        }
        excerpt.After = Text_.substr(p, end - p);
    }
    if (p > 0) {
        TQPos start = LineStart(p);
        for (int units = 0; start > 0 && units < kExcerptUnits;) {
            TQPos previous = LineStart(start - 1);
            units += LineCost(text.substr(previous, start - previous));
            start = previous;
        }
        excerpt.Before = Text_.substr(start, p - start);
    }
    if (excerpt.After.empty())
        excerpt.After = std::string(10, ' ') + "\r\n";
    return excerpt;
}

TQInStm::TExcerpt TQInStm::ExpandTabs(const TExcerpt& excerpt) {
    // Before begins at a line's start; After goes on in the line where Before ends.
    std::size_t column = 0;
    TExcerpt expanded;
    expanded.Before = WithTabsExpanded(excerpt.Before, column);
    expanded.After = WithTabsExpanded(excerpt.After, column);
    return expanded;
}
