// The list's own quicksort rather than std::sort: the locale comparison need not be a strict
// weak order for every pair of texts, and this one stays inside the list whatever it answers.
#include "util/TextList.h"

#include "os/Platform.h"

#include <algorithm>
#include <utility>

namespace {

class TSorter {
public:
    TSorter(std::vector<std::string>& items, bool caseSensitive)
        : Items_(items), IgnoreCase_(!caseSensitive) {}

    // Sorts [lo, hi]. Recurses into the smaller part and loops on the larger, so the depth
    // stays logarithmic.
    void Sort(std::size_t lo, std::size_t hi) {
        while (lo < hi) {
            std::size_t split = Partition(lo, hi);
            if (split - lo + 1 < hi - split) {
                Sort(lo, split);
                lo = split + 1;
            } else {
                Sort(split + 1, hi);
                hi = split;
            }
        }
    }

private:
    bool Less(const std::string& a, const std::string& b) const {
        return os::CompareLocale(a.c_str(), b.c_str(), IgnoreCase_) < 0;
    }
    void Swap(std::size_t a, std::size_t b) { std::swap(Items_[a], Items_[b]); }

    // Orders the first, middle and last items among themselves; the middle one is the pivot.
    std::string MedianOfThree(std::size_t lo, std::size_t hi) {
        std::size_t mid = lo + (hi - lo) / 2;
        if (Less(Items_[mid], Items_[lo]))
            Swap(mid, lo);
        if (Less(Items_[hi], Items_[lo]))
            Swap(hi, lo);
        if (Less(Items_[hi], Items_[mid]))
            Swap(hi, mid);
        return Items_[mid];
    }

    // Splits [lo, hi] into [lo, split] and [split + 1, hi], neither empty, with nothing in
    // the first part above the pivot and nothing in the second below it. Items equal to the
    // pivot go to both sides, so a list of equal items still splits in the middle.
    std::size_t Partition(std::size_t lo, std::size_t hi) {
        const std::string pivot = MedianOfThree(lo, hi);
        std::size_t i = lo;
        std::size_t j = hi;
        for (;;) {
            while (i < hi && Less(Items_[i], pivot))
                ++i;
            while (j > lo && Less(pivot, Items_[j]))
                --j;
            if (i >= j)
                return std::min(j, hi - 1); // the bound only matters for an erratic order
            Swap(i++, j--);
        }
    }

    std::vector<std::string>& Items_;
    bool IgnoreCase_;
};

} // namespace

void TTextList::Sort(bool caseSensitive) {
    if (Items_.size() < 2)
        return;
    TSorter(Items_, caseSensitive).Sort(0, Items_.size() - 1);
}
