#pragma once
// Finding where a wrapping piece breaks, with as few measurements as the answer needs: each
// prefix is measured at most once, and the search looks first where a line is expected to end.

#include "msgbox/QDyedText.h"

#include <utility>
#include <vector>

// The extents of prefixes of one text, each measured once, in the font selected when they are
// first asked for.
class TQPrefixWidths {
public:
    TQPrefixWidths(TQTextMeasurer& m, std::string_view text) : M_(m), Text_(text) {}

    std::string_view Text() const { return Text_; }
    std::size_t Size() const { return Text_.size(); }
    // The extent of the first N characters; the empty prefix is measured for its height.
    TQTextExtent Of(std::size_t n);
    // Takes the extent of the first N characters as measured already.
    void Know(std::size_t n, TQTextExtent extent) { Known_.emplace_back(n, extent); }
    // The width of the first N characters; the empty prefix is 0 wide without measuring.
    std::int32_t Width(std::size_t n) { return n == 0 ? 0 : Of(n).cx; }

private:
    TQTextMeasurer& M_;
    std::string_view Text_;
    std::vector<std::pair<std::size_t, TQTextExtent>> Known_;
};

// Where heads of a piece's text may end: after the first blank of each run of blanks that
// follows a non-blank character. Found once per piece, so that a long text without blanks is
// not searched again for every line.
class TQHeadEnds {
public:
    explicit TQHeadEnds(std::string_view text);

    // For the rest of the text from FROM on, in prefix lengths of that rest: the largest head
    // end at or before H, and the smallest after H and before LIMIT; 0 when there is none.
    std::size_t AtOrBefore(std::size_t from, std::size_t h) const;
    std::size_t After(std::size_t from, std::size_t h, std::size_t limit) const;

private:
    std::vector<std::size_t> Ends_; // prefix lengths of the whole text, increasing
};

// The largest N in [LO, HI) whose prefix fits into AVAIL, given that the prefix of LO fits
// and that of HI does not: a proportional estimate, then a walk of single characters.
std::size_t FitBetween(TQPrefixWidths& w, std::size_t lo, std::size_t hi, std::int32_t avail);

// Where the current line ends in the text: its length when the whole text fits into AVAIL
// (never negative), otherwise FindBreak's answer. GUESS is how many characters are expected
// to fit; a poor guess costs measurements, never a different answer.
// W measures the rest of the text from FROM on; ENDS are the head ends of the whole text.
std::size_t LineBreak(TQPrefixWidths& w, const TQHeadEnds& ends, std::size_t from,
                      std::int32_t avail, std::size_t guess);
