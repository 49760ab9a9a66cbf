#pragma once
// The impossible states of the message box, reported as assertion failures. The "line" of
// such a report is the failure's number in this table, fixed for every build whatever the
// layout of the box's files: look the number up here, not in the source.

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
