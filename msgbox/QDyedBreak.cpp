#include "msgbox/QDyedBreak.h"

#include "msgbox/QMsgBoxAssert.h"

#include <algorithm>
#include <iterator>

namespace {

// Where a line may wrap is the box's own rule: every code up to 32, the zero character
// included, which the text streams' blank test leaves out.
bool IsWrapBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Whether a head of H characters may end a line.
bool IsHeadEnd(std::string_view t, std::size_t h) {
    return h >= 2 && h <= t.size() && IsWrapBlank(t[h - 1]) && !IsWrapBlank(t[h - 2]);
}

} // namespace

TQHeadEnds::TQHeadEnds(std::string_view text) {
    for (std::size_t h = 2; h <= text.size(); ++h)
        if (IsHeadEnd(text, h))
            Ends_.push_back(h);
}

std::size_t TQHeadEnds::AtOrBefore(std::size_t from, std::size_t h) const {
    auto it = std::upper_bound(Ends_.begin(), Ends_.end(), from + h);
    if (it == Ends_.begin() || *std::prev(it) < from + 2)
        return 0;
    return *std::prev(it) - from;
}

std::size_t TQHeadEnds::After(std::size_t from, std::size_t h, std::size_t limit) const {
    auto it = std::upper_bound(Ends_.begin(), Ends_.end(), from + std::max<std::size_t>(h, 1));
    if (it == Ends_.end() || *it >= from + limit)
        return 0;
    return *it - from;
}

TQTextExtent TQPrefixWidths::Of(std::size_t n) {
    for (const auto& [length, extent] : Known_)
        if (length == n)
            return extent;
    const TQTextExtent extent = M_.MeasureText(Text_.substr(0, n));
    Known_.emplace_back(n, extent);
    return extent;
}

std::size_t FitBetween(TQPrefixWidths& w, std::size_t lo, std::size_t hi, std::int32_t avail) {
    const std::int32_t loWidth = w.Width(lo);
    const std::int32_t span = w.Width(hi) - loWidth;
    if (span <= 0)
        MsgBoxAssert(mfWideTextWithoutWidth);
    std::size_t n =
        lo + static_cast<std::size_t>(static_cast<long long>(hi - lo) * (avail - loWidth) / span);
    if (w.Width(n) > avail) {
        do {
            if (n == 0)
                MsgBoxAssert(mfPrefixBelowZero);
            --n;
        } while (w.Width(n) > avail);
        return n;
    }
    while (n < w.Size() && w.Width(n + 1) <= avail)
        ++n;
    return n;
}

std::size_t LineBreak(TQPrefixWidths& w, const TQHeadEnds& ends, std::size_t from,
                      std::int32_t avail, std::size_t guess) {
    const std::size_t size = w.Size();
    if (avail <= 0 || size == 0)
        return w.Width(size) <= avail ? size : 0;

    // HI: the shortest prefix known not to fit; SIZE + 1 while none is known.
    std::size_t hi = size + 1;
    if (guess >= size) {
        if (w.Width(size) <= avail)
            return size;
        hi = size;
    }
    // The last head end whose prefix fits, searched from the guess outwards.
    std::size_t fit = 0;
    std::size_t h = ends.AtOrBefore(from, std::min(guess, hi - 1));
    if (h == 0)
        h = ends.After(from, 0, hi);
    if (h != 0 && w.Width(h) <= avail) {
        fit = h;
        while ((h = ends.After(from, h, hi)) != 0) {
            if (w.Width(h) > avail) {
                hi = h;
                break;
            }
            fit = h;
        }
    } else if (h != 0) {
        hi = h;
        while ((h = ends.AtOrBefore(from, h - 1)) != 0) {
            if (w.Width(h) <= avail) {
                fit = h;
                break;
            }
            hi = h;
        }
    }
    if (hi > size) {
        if (w.Width(size) <= avail)
            return size;
        hi = size;
    }
    // What fits is N, below HI. A head end gives way to N only when it would give up more
    // than a quarter of the line; N is looked for only when that can be so.
    if (fit == 0)
        return FitBetween(w, 0, hi, avail);
    if (fit >= (hi - 1) * 3 / 4)
        return fit;
    const std::size_t n = FitBetween(w, fit, hi, avail);
    return fit < n * 3 / 4 ? n : fit;
}

std::size_t FitChars(TQTextMeasurer& m, const TQDyedText& piece, std::int32_t avail) {
    const std::size_t size = piece.Text.size();
    if (size == 0 || avail <= 0)
        return 0;
    TQPrefixWidths w(m, piece.Text);
    if (w.Width(size) <= avail)
        return size;
    return FitBetween(w, 0, size, avail);
}

std::size_t FindBreak(TQTextMeasurer& m, const TQDyedText& piece, std::int32_t avail) {
    const std::size_t size = piece.Text.size();
    if (size == 0 || avail <= 0)
        return 0;
    TQPrefixWidths w(m, piece.Text);
    const std::int32_t whole = w.Width(size);
    if (whole <= avail)
        return size;
    const auto guess = static_cast<std::size_t>(static_cast<long long>(size) * avail / whole);
    return LineBreak(w, TQHeadEnds(piece.Text), 0, avail, guess);
}

TQDyedText SplitPiece(const TQDyedText& piece, std::size_t& from, std::size_t n) {
    // The attributes are copied one by one: copying the piece would copy all of its text.
    TQDyedText head{piece.Text.substr(from, n),
                    piece.FontName,
                    piece.FontHeight,
                    piece.Bold,
                    piece.Italic,
                    piece.Underline,
                    piece.Color,
                    piece.BkColor,
                    piece.Wrap,
                    piece.LineEnd};
    from += n;
    return head;
}
