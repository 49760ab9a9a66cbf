#pragma once
// The open brackets of the groups being read, innermost last. The few levels of a real
// script live in place; only deep nesting, which an untrusted script may hold, takes the heap.

#include "textstream/QStm.h"

#include <array>
#include <vector>

namespace qstm {

class TQPosStack {
public:
    bool Empty() const { return Size_ == 0; }
    std::size_t Size() const { return Size_; }

    void Push(TQPos p) {
        if (Size_ < Near_.size())
            Near_[Size_] = p;
        else
            Far_.push_back(p);
        ++Size_;
    }

    TQPos Top() const { return Size_ <= Near_.size() ? Near_[Size_ - 1] : Far_.back(); }

    void Pop() {
        if (Size_ > Near_.size())
            Far_.pop_back();
        --Size_;
    }

private:
    std::array<TQPos, 32> Near_;
    std::vector<TQPos> Far_;
    std::size_t Size_ = 0;
};

} // namespace qstm
