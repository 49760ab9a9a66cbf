// The box's sizes and scrolling, on the screen with the system's own fonts.
#include "msgbox/QMsgBox.h"
#include "tests/msgbox/BoxDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace boxdriver;

namespace {

NONCLIENTMETRICSA Metrics() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

int TextWidth(const LOGFONTA& logFont, const std::string& text) {
    const win::TWindowDC dc(nullptr);
    const win::TFont font(CreateFontIndirectA(&logFont));
    const win::TSelectObject selected(dc.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// What the box's layout is made of, measured here from the system's fonts.
struct TParts {
    TParts() {
        const win::TWindowDC dc(nullptr);
        const NONCLIENTMETRICSA metrics = Metrics();
        const win::TFont font(CreateFontIndirectA(&metrics.lfMessageFont));
        const win::TSelectObject selected(dc.get(), font.get());
        TEXTMETRICA tm{};
        GetTextMetricsA(dc.get(), &tm);
        LineH = tm.tmHeight;
        Margin = tm.tmAveCharWidth * 7 / 2;
        RightMargin = Margin / 2;
        ButtonH = tm.tmHeight * 7 / 4;
        Gap = tm.tmHeight / 2;
        OkWidth = std::max(LineH * 7, TextWidth(metrics.lfMessageFont, "OK") + 2 * ButtonH);
    }
    // The caption's width in the caption font, and five caption buttons.
    static int CaptionRoom(const std::string& caption) {
        const NONCLIENTMETRICSA metrics = Metrics();
        return TextWidth(metrics.lfCaptionFont, caption) + 5 * metrics.iCaptionWidth;
    }
    int LineH, Margin, RightMargin, ButtonH, Gap, OkWidth;
    int W90 = MulDiv(GetSystemMetrics(SM_CXSCREEN), 90, 100);
    int H90 = MulDiv(GetSystemMetrics(SM_CYSCREEN), 90, 100);
};

SIZE ClientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool HasStyle(HWND w, LONG style) {
    return (GetWindowLongA(w, GWL_STYLE) & style) != 0;
}

int ScrollPos(HWND w, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    GetScrollInfo(w, bar, &si);
    return si.nPos;
}

int Scroll(TQMsgBox& box, UINT msg, int request, int track = 0) {
    SendMessageA(box.TextWindow(), msg, MAKEWPARAM(request, track), 0);
    return ScrollPos(box.TextWindow(), msg == WM_VSCROLL ? SB_VERT : SB_HORZ);
}

TEST(MsgBoxSize, AShortTextGivesTheSizeOfItsParts) {
    const TParts p;
    const std::string text = "Короткое сообщение.";
    const int textW = TextWidth(Metrics().lfMessageFont, text);
    TQMsgBox box;
    box.AddText(text);
    ExecuteWith(box, {Do([&](TQMsgBox& box) {
                          const SIZE client = ClientSize(box.MainWindow());
                          const int expectedW =
                              std::max({std::min(textW + p.Margin + p.RightMargin, p.W90),
                                        p.OkWidth + 2 * p.Gap, p.CaptionRoom("Сообщение")});
                          EXPECT_EQ(client.cx, expectedW);
                          EXPECT_EQ(client.cy, p.ButtonH + 3 * p.LineH + p.LineH);

                          const RECT textRect = ChildRect(box.TextWindow());
                          EXPECT_EQ(textRect.left, p.Margin);
                          EXPECT_EQ(textRect.top, p.LineH);
                          EXPECT_EQ(textRect.right, client.cx - p.RightMargin);
                          EXPECT_EQ(textRect.bottom, p.LineH + p.LineH);
                          EXPECT_FALSE(HasStyle(box.TextWindow(), WS_VSCROLL | WS_HSCROLL));

                          const RECT ok = ChildRect(box.Buttons()[0].Handle);
                          EXPECT_EQ(ok.left,
                                    std::max(static_cast<int>(client.cx - p.OkWidth) / 2, p.Gap));
                          EXPECT_EQ(ok.top, client.cy - p.LineH - p.ButtonH);
                          EXPECT_EQ(ok.right - ok.left, p.OkWidth);
                          EXPECT_EQ(ok.bottom - ok.top, p.ButtonH);
                      }),
                      Close()});
}

TEST(MsgBoxSize, ATallTextScrollsLineByLine) {
    const TParts p;
    TQMsgBox box;
    for (int i = 1; i <= 200; ++i)
        box.AddText("Строка " + std::to_string(i) + "\r\n");
    ExecuteWith(box, {Do([&](TQMsgBox& box) {
                          EXPECT_EQ(ClientSize(box.MainWindow()).cy, p.H90);
                          ASSERT_TRUE(HasStyle(box.TextWindow(), WS_VSCROLL));
                          const TQDyedLineArray& lines = box.TextLayout().Lines;
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEDOWN), lines[1].Top);
                          const int inside = lines[1].Top + 3;
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_THUMBTRACK, inside), inside);
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEDOWN), lines[2].Top)
                              << "the next line's top goes to the top edge";
                          Scroll(box, WM_VSCROLL, SB_THUMBTRACK, inside);
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEUP), lines[1].Top);
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEUP), lines[0].Top);
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEUP), 0);
                          const int page = ClientSize(box.TextWindow()).cy;
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_PAGEDOWN), page);
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_BOTTOM), page)
                              << "only lines, pages and the thumb move the text";
                          EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_THUMBTRACK, 30000),
                                    box.TextLayout().Height() - page);
                      }),
                      Close()});
}

TEST(MsgBoxSize, AWideFixedLineScrollsSidewaysByAScrollBarWidth) {
    const TParts p;
    TQMsgBox box;
    box.Font.Wrap = false;
    box.AddText(std::string(400, 'W'));
    ExecuteWith(box, {Do([&](TQMsgBox& box) {
                          EXPECT_EQ(ClientSize(box.MainWindow()).cx, p.W90);
                          ASSERT_TRUE(HasStyle(box.TextWindow(), WS_HSCROLL));
                          EXPECT_FALSE(HasStyle(box.TextWindow(), WS_VSCROLL));
                          const int step = GetSystemMetrics(SM_CXVSCROLL);
                          EXPECT_EQ(Scroll(box, WM_HSCROLL, SB_LINERIGHT), step);
                          EXPECT_EQ(Scroll(box, WM_HSCROLL, SB_LINERIGHT), 2 * step);
                          EXPECT_EQ(Scroll(box, WM_HSCROLL, SB_LINELEFT), step);
                          Scroll(box, WM_HSCROLL, SB_LINELEFT);
                          EXPECT_EQ(Scroll(box, WM_HSCROLL, SB_LINELEFT), 0);
                      }),
                      Close()});
}

TEST(MsgBoxSize, ACaptionWiderThanTheTextWidensTheBox) {
    const TParts p;
    TQMsgBox box;
    box.Caption = "Заголовок окна, который заметно шире текста сообщения";
    box.AddText("x");
    const int room = p.CaptionRoom(box.Caption);
    ExecuteWith(box, {Do([&](TQMsgBox& box) {
                          EXPECT_EQ(ClientSize(box.MainWindow()).cx, std::min(room, p.W90));
                          char title[128] = {};
                          GetWindowTextA(box.MainWindow(), title, sizeof title);
                          EXPECT_EQ(box.Caption, title);
                      }),
                      Close()});
}

TEST(MsgBoxSize, NarrowingRebreaksWrappingTextAndScrollsFixedLines) {
    TQMsgBox box;
    for (int i = 0; i < 12; ++i)
        box.AddText("слово за словом ");
    box.AddText("\r\n");
    box.Font.Wrap = false;
    box.AddText(std::string(60, '='));
    ExecuteWith(box, {Do([&](TQMsgBox& box) {
                          const std::size_t before = box.TextLayout().Lines.size();
                          EXPECT_FALSE(HasStyle(box.TextWindow(), WS_HSCROLL));
                          RECT frame{};
                          GetWindowRect(box.MainWindow(), &frame);
                          SetWindowPos(box.MainWindow(), nullptr, 0, 0, 250,
                                       frame.bottom - frame.top + 100, SWP_NOMOVE | SWP_NOZORDER);
                          const int width = ClientSize(box.TextWindow()).cx;
                          const TQDyedLineArray& lines = box.TextLayout().Lines;
                          EXPECT_GT(lines.size(), before);
                          for (const TQDyedLine& line : lines)
                              for (const TQDyedItem& item : line.Items) {
                                  if (item.Text.Wrap)
                                      EXPECT_LE(item.Right, width) << item.Text.Text;
                              }
                          EXPECT_EQ(lines.back().Items[0].Text.Text, std::string(60, '='));
                          EXPECT_TRUE(HasStyle(box.TextWindow(), WS_HSCROLL));
                      }),
                      Close()});
}

// The icon's room in the box, and whether it is drawn there.
struct TIconSeen {
    int TextLeft = 0;
    int ClientH = 0;
    bool Drawn = false;
};

TIconSeen ShowWithIcon(TQIconName icon) {
    TQMsgBox box;
    box.Icon = std::move(icon);
    box.AddText("x");
    TIconSeen seen;
    ExecuteWith(box, {Do([&](TQMsgBox& box) {
                          UpdateWindow(box.MainWindow());
                          seen.TextLeft = ChildRect(box.TextWindow()).left;
                          seen.ClientH = ClientSize(box.MainWindow()).cy;
                          // The icon's middle, where any icon has colour of its own.
                          const TParts p;
                          const win::TWindowDC dc(box.MainWindow());
                          const COLORREF middle =
                              GetPixel(dc.get(), p.Margin + GetSystemMetrics(SM_CXICON) / 2,
                                       p.LineH + GetSystemMetrics(SM_CYICON) / 2);
                          seen.Drawn = middle != GetSysColor(COLOR_BTNFACE);
                      }),
                      Close()});
    return seen;
}

TEST(MsgBoxSize, AnIconThatDoesNotExistKeepsItsRoom) {
    const TParts p;
    const TIconSeen stop = ShowWithIcon(static_cast<WORD>(32513));
    const TIconSeen none = ShowWithIcon("NOSUCHICON");
    const int expectedH = p.ButtonH + 3 * p.LineH + std::max(GetSystemMetrics(SM_CYICON), p.LineH);
    EXPECT_EQ(stop.TextLeft, 2 * p.Margin + GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(stop.ClientH, expectedH);
    EXPECT_TRUE(stop.Drawn);
    EXPECT_EQ(none.TextLeft, stop.TextLeft);
    EXPECT_EQ(none.ClientH, expectedH);
    EXPECT_FALSE(none.Drawn);
}

} // namespace
