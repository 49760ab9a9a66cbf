// Placement of window objects: edge setters, the one bounds setter and docking, read back
// from the real windows.

#include "tests/toolkit/WinTestUtil.h"
#include "toolkit/WinLoop.h"

#include <gtest/gtest.h>

namespace {

// The window's rectangle in its parent's client coordinates.
RECT PlacedAt(const TWinObj* obj) {
    RECT r;
    GetWindowRect(obj->Window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(obj->Window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Client(const TWinObj* obj) {
    RECT r;
    GetClientRect(obj->Window, &r);
    return r;
}

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

class Placement : public ::testing::Test {
protected:
    TWinObj* form = MakeForm(nullptr, "Placement");

    void SetUp() override { SetBounds(form, {20, 20, 620, 420}); }
    void TearDown() override { FreeObj(form); }
};

TEST_F(Placement, DocksATopBarAndFillsTheRestWithAClientBox) {
    TWinObj* bar = MakePanel(form, peNone);
    SetHeight(bar, 41);
    SetAlign(bar, alTop);
    TWinObj* box = MakeRichEdit(form, roWrapLines);
    SetAlign(box, alClient);
    ASSERT_TRUE(box->Window);

    const RECT client = Client(form);
    {
        SCOPED_TRACE("top bar");
        ExpectRect(PlacedAt(bar), 2, 2, client.right - 2, 43);
    }
    {
        SCOPED_TRACE("client box");
        ExpectRect(PlacedAt(box), 2, 45, client.right - 2, client.bottom - 2);
    }

    // A new size reaches the docked children through the form's WM_SIZE.
    SetWidth(form, 400);
    SetHeight(form, 300);
    const RECT smaller = Client(form);
    ASSERT_LT(smaller.right, client.right);
    SCOPED_TRACE("after the form was resized");
    ExpectRect(PlacedAt(bar), 2, 2, smaller.right - 2, 43);
    ExpectRect(PlacedAt(box), 2, 45, smaller.right - 2, smaller.bottom - 2);
}

TEST_F(Placement, LeftMovesBothEdgesAndWidthOnlyTheRight) {
    TWinObj* panel = MakePanel(form, peNone);
    ASSERT_TRUE(EnsureWindow(panel));
    ExpectRect(PlacedAt(panel), 2, 2, 102, 102);

    SetLeft(panel, 50);
    ExpectRect(PlacedAt(panel), 50, 2, 150, 102);
    SetWidth(panel, 30);
    ExpectRect(PlacedAt(panel), 50, 2, 80, 102);
    SetTop(panel, 10);
    SetHeight(panel, 5);
    ExpectRect(PlacedAt(panel), 50, 10, 80, 15);
}

TEST_F(Placement, TheSameRectangleTwiceMovesTheWindowOnce) {
    TWinObj* panel = MakePanel(form, peNone);
    wintest::THookLog moves;
    moves.Log.RecordOnly({WM_WINDOWPOSCHANGED});
    panel->OnMessage = moves.Hook("panel");
    ASSERT_TRUE(EnsureWindow(panel));
    moves.Log.Clear();

    SetBounds(panel, {10, 10, 60, 40});
    SetBounds(panel, {10, 10, 60, 40});
    SetWidth(panel, 50);
    EXPECT_EQ(moves.Log.Recorded().size(), 1u);
    ExpectRect(PlacedAt(panel), 10, 10, 60, 40);
}

} // namespace
