#pragma once
// Reading helpers shared by the input stream's tests.

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
TReported Reported(TQInStm& stm, F&& read) {
    try {
        read();
    } catch (const EInStm& e) {
        EXPECT_EQ(e.Stm, &stm) << "the exception names its stream";
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
                        const std::string& what) {
    EXPECT_TRUE(r.Raised) << what << ": expected \"" << msg << "\", nothing was raised";
    EXPECT_EQ(r.Msg, msg) << what;
    EXPECT_EQ(r.Pos, pos) << what << ": error position";
}
