// The panel and the rehearsal station at the display's scale: every figure of 96 dots per inch
// scaled. The test runs in prefixes of 96, 120, 144 and 192 dots per inch (KELVO_LOGPIXELS).

#include "conductor/QControlPanel.h"
#include "os/Dpi.h"
#include "protocol/QWindowNames.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"
#include "toolkit/WinLoop.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

UINT PrefixDpi() {
    const char* value = std::getenv("KELVO_LOGPIXELS");
    return value ? static_cast<UINT>(std::atoi(value)) : win::BaseDpi;
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

// WINDOW's rectangle in its parent's client coordinates.
RECT InParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG FontHeightOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

TEST(Scale, ThePanelsFiguresAreThoseOf96DotsPerInchRoundedAsMulDivRounds) {
    const TPanelLayout at96 = PanelLayout(96);
    EXPECT_EQ(at96.Border, 2);
    EXPECT_EQ(at96.BarHeight, 41);
    EXPECT_EQ(at96.FontHeight, -11);
    ExpectRect(at96.Label, {8, 15, 120, 30}, "label at 96");
    ExpectRect(at96.Button, {120, 8, 215, 33}, "button at 96");
    // 41 × 1.5 = 61.5 and −11 × 1.5 = −16.5 round away from zero.
    const TPanelLayout at144 = PanelLayout(144);
    EXPECT_EQ(at144.Border, 3);
    EXPECT_EQ(at144.BarHeight, 62);
    EXPECT_EQ(at144.FontHeight, -17);
    ExpectRect(at144.Label, {12, 23, 180, 46}, "label at 144");
    ExpectRect(at144.Button, {180, 12, 323, 50}, "button at 144");
}

class ScaledPanel : public ::testing::Test {
protected:
    void SetUp() override { BuildControlPanel({}, {}); }
    void TearDown() override {
        SetMainWindow(nullptr);
        FreeObj(PanelForm);
    }

    void ExpectLaidOutAt(UINT dpi) {
        const TPanelLayout layout = PanelLayout(dpi);
        RECT bar{};
        GetClientRect(TopBar->Window, &bar);
        EXPECT_EQ(bar.bottom, layout.BarHeight) << "bar at " << dpi;
        EXPECT_EQ(InParent(TopBar->Window).top, layout.Border) << "bar at " << dpi;
        ExpectRect(InParent(StateLabel->Window), layout.Label, "label");
        ExpectRect(InParent(NextButton->Window), layout.Button, "button");
        EXPECT_EQ(InParent(CommentBox->Window).top,
                  layout.Border + layout.BarHeight + layout.Border)
            << "comment box at " << dpi;
        for (TWinObj* obj : {PanelForm, TopBar, StateLabel, NextButton, CommentBox})
            EXPECT_EQ(FontOf(obj).Log.lfHeight, layout.FontHeight) << "font at " << dpi;
        // What the controls draw with.
        for (const TWinObj* obj : {StateLabel, NextButton})
            EXPECT_EQ(FontHeightOf(obj->Window), layout.FontHeight) << "drawn at " << dpi;
    }
};

TEST_F(ScaledPanel, IsLaidOutAtItsMonitorsScale) {
    ASSERT_TRUE(PanelForm->Window);
    ASSERT_EQ(win::DpiOf(PanelForm->Window), PrefixDpi()) << "the prefix's scale is not in force";
    ExpectLaidOutAt(PrefixDpi());
    // As the machine check works it out beforehand, to tell whether a comment fits.
    RECT form{};
    RECT box{};
    GetWindowRect(PanelForm->Window, &form);
    GetWindowRect(CommentBox->Window, &box);
    const SIZE foreseen = CommentBoxSize(form, PrefixDpi());
    EXPECT_EQ(foreseen.cx, box.right - box.left) << "comment box width";
    EXPECT_EQ(foreseen.cy, box.bottom - box.top) << "comment box height";
}

TEST_F(ScaledPanel, MovedToAMonitorOfAnotherScaleTakesTheSuggestedRectangleAndLaysOutAgain) {
    const UINT other = PrefixDpi() == 192 ? 96 : 192;
    RECT suggested{10, 20, 1010, 520};
    SendMessageW(PanelForm->Window, WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT placed{};
    GetWindowRect(PanelForm->Window, &placed);
    ExpectRect(placed, suggested, "the form");
    ExpectLaidOutAt(other);
}

// The station's window: the header, then each pane's caption above its list.
TEST(Scale, TheRehearsalStationsRowsNeverOverlap) {
    const support::TTempFile scheme("Scale.kelvo");
    scheme.Write("'Первый'\r\n.Pause;\r\n");
    support::TChild station(support::ProgramFolder() + "Kelvo.exe", "\"" + scheme.Name() + "\"");
    ASSERT_TRUE(station);
    const std::string title = FileNamePart(scheme.Name());
    HWND window = nullptr;
    support::PumpUntil(
        [&] { return (window = FindWindowA(StationClass, title.c_str())) != nullptr; }, 10000);
    ASSERT_TRUE(window);
    // Laid out: every child has its room.
    const auto laidOut = [&] {
        int n = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (const RECT r = InParent(child); r.bottom > r.top)
                ++n;
        return n == 7;
    };
    support::PumpUntil(laidOut, 10000);
    std::vector<RECT> texts, lists;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        (lstrcmpiA(support::ClassOf(child).c_str(), "ListBox") == 0 ? lists : texts)
            .push_back(InParent(child));
    ASSERT_EQ(texts.size(), 4u) << "the header and three captions";
    ASSERT_EQ(lists.size(), 3u);
    const UINT dpi = win::DpiOf(window);
    EXPECT_EQ(dpi, PrefixDpi());
    std::sort(texts.begin(), texts.end(),
              [](const RECT& a, const RECT& b) { return a.top < b.top; });
    EXPECT_GE(texts[0].bottom - texts[0].top, win::Scaled(36, dpi)) << "the header";
    for (std::size_t caption = 1; caption < texts.size(); ++caption)
        EXPECT_GE(texts[caption].bottom - texts[caption].top, win::Scaled(18, dpi)) << caption;
    std::vector<RECT> all = texts;
    all.insert(all.end(), lists.begin(), lists.end());
    for (std::size_t a = 0; a < all.size(); ++a)
        for (std::size_t b = a + 1; b < all.size(); ++b) {
            RECT both{};
            EXPECT_FALSE(IntersectRect(&both, &all[a], &all[b]))
                << "rows " << a << " and " << b << " overlap at " << dpi;
        }
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(station.Wait(10000));
}

} // namespace
