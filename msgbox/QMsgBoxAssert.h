#pragma once
// The impossible states of the message box, reported as assertion failures under the lines
// that name them. The numbers are the box's established report codes, not places in its
// source: a report names the same line for the same failure whatever the layout of these
// files, so they match no line of this repository.

#include "errors/err.h"

enum TQMsgBoxFailure : int {
    mfRegisterMainClass = 608,
    mfRegisterTextClass = 623,
    mfTextWindowWithoutBox = 642,
    mfMainWindowWithoutBox = 854,
    mfCreateTextWindow = 870,
    mfDestroyWithoutBox = 999,
    mfCreateMainWindow = 1135,
    mfWideTextWithoutWidth = 1228,
    mfPrefixBelowZero = 1244,
};

[[noreturn]] inline void MsgBoxAssert(TQMsgBoxFailure line) {
    AssertFailure(nullptr, "QMsgBox", line);
}
