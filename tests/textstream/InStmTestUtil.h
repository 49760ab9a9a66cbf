#pragma once
// Reading helpers shared by the input stream's tests.

#include "tests/support/Where.h"
#include "textstream/QStm.h"

#include <gtest/gtest.h>

#include <string>

// What a reading step reported: the message of the raised EInStm, and ErrorPos after it.
struct TReported {
    bool Raised = false;
    std::string Msg;
    TQPos Pos = NoPos;
};

template <typename F>
TReported Reported(TQInStm& stm, F&& read, support::TWhere where = support::TWhere::current()) {
    try {
        read();
    } catch (const EInStm& e) {
        if (e.Stm != &stm)
            support::FailAt(where, "the exception does not name its stream");
        return {true, e.what(), stm.ErrorPos()};
    }
    return {false, {}, stm.ErrorPos()};
}

// A stream in the given mode; the mode is set before the text, as the script reader does.
inline void Open(TQInStm& stm, int mode, std::string text) {
    stm.Mode = static_cast<std::uint8_t>(mode);
    stm.SetText(std::move(text));
}

inline void ExpectError(const TReported& r, const std::string& msg, TQPos pos,
                        const std::string& what,
                        support::TWhere where = support::TWhere::current()) {
    if (!r.Raised || r.Msg != msg)
        support::FailAt(where, what + ": raised \"" + r.Msg + "\", expected \"" + msg + "\"");
    if (r.Pos != pos)
        support::FailAt(where, what + ": error at " + std::to_string(r.Pos) + ", not " +
                                   std::to_string(pos));
}
