// The panel as a program outside it reads it: the panel changes its controls one after
// another, so a view is taken only when two reads agree.
#include "tests/support/TestWindows.h"
#include "tools/panelprobe/PanelProbe.h"

#include <gtest/gtest.h>

namespace {

// A button whose first read of its caption finds the panel moving on to the next step: the
// comment changes, then the caption, as a read of the comment would come too late to see.
struct TMovingButton {
    HWND Comment = nullptr;
    int Reads = 0;

    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = DefWindowProcA(window, msg, wParam, lParam);
        if (msg == WM_GETTEXT && ++Reads == 1) {
            SetWindowTextA(Comment, "Second");
            SetWindowTextA(window, "Exit");
        }
        return result;
    }
};

TEST(PanelProbe, NeverPairsOneStepsCaptionWithAnothersComment) {
    const win::TWindow comment = support::MakeClassWindow("ProbeText", "First");
    const win::TWindow label = support::MakeClassWindow("ProbeText", "Ready");
    TMovingButton moving{comment.get()};
    const win::TWindow button = support::MakeBoundWindow("ProbeButton", "Next", moving);
    TPanel panel{button.get(), button.get(), label.get(), comment.get()};
    const TPanelView view = ReadPanel(panel);
    EXPECT_EQ(view.Caption + " / " + view.Comment, "Exit / Second");
    EXPECT_GE(moving.Reads, 3) << "a view is whole when two reads in a row agree";
}

} // namespace
