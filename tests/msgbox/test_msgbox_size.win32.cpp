// The box's sizes and scrolling, on the screen with the system's own fonts.
#include "msgbox/QDyedPainter.h"
#include "msgbox/QMsgBox.h"
#include "tests/msgbox/BoxDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace boxdriver;

namespace {

NONCLIENTMETRICSA Metrics() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

// The width of TEXT in FONT on the screen.
int Width(const LOGFONTA& logFont, const std::string& text) {
    const win::TWindowDC dc(nullptr);
    const win::TFont font(CreateFontIndirectA(&logFont));
    const win::TSelectObject selected(dc.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// What the box is made of, measured here from the system's fonts.
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
        ButtonH = tm.tmHeight * 7 / 4;
        Gap = tm.tmHeight / 2;
    }
    int CaptionRoom(const std::string& caption) const {
        return Width(Metrics().lfCaptionFont, caption) + 5 * Metrics().iCaptionWidth;
    }
    int LineH, Margin, ButtonH, Gap;
    int OkWidth() const {
        return std::max(LineH * 7, Width(Metrics().lfMessageFont, "OK") + 2 * ButtonH);
    }
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

// A scroll request to the text window, as its bar sends it; the new position.
int Scroll(TQMsgBox& box, UINT msg, int request, int track = 0) {
    SendMessageA(box.TextWindow(), msg, MAKEWPARAM(request, track), 0);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    GetScrollInfo(box.TextWindow(), msg == WM_VSCROLL ? SB_VERT : SB_HORZ, &si);
    return si.nPos;
}

// Shows BOX and checks it once it is open.
void CheckOpen(TQMsgBox& box, std::function<void(TQMsgBox&)> check) {
    ExecuteWith(box, {Do(std::move(check)), Close()});
}

TEST(MsgBoxSize, AShortTextGivesTheSizeOfItsParts) {
    const TParts p;
    TQMsgBox box;
    box.AddText("Короткое сообщение.");
    const int textW = Width(Metrics().lfMessageFont, "Короткое сообщение.");
    CheckOpen(box, [&](TQMsgBox& box) {
        const SIZE client = ClientSize(box.MainWindow());
        EXPECT_EQ(client.cx, std::max({textW + p.Margin + p.Margin / 2, p.OkWidth() + 2 * p.Gap,
                                       p.CaptionRoom("Сообщение")}));
        EXPECT_EQ(client.cy, p.ButtonH + 3 * p.LineH + p.LineH);
        const RECT text = ChildRect(box.TextWindow());
        EXPECT_EQ(text.left, p.Margin);
        EXPECT_EQ(text.top, p.LineH);
        EXPECT_EQ(text.right, client.cx - p.Margin / 2);
        EXPECT_EQ(text.bottom, 2 * p.LineH);
        EXPECT_FALSE(HasStyle(box.TextWindow(), WS_VSCROLL | WS_HSCROLL));
        const RECT ok = ChildRect(box.Buttons()[0].Handle.get());
        EXPECT_EQ(ok.left, std::max(static_cast<int>(client.cx - p.OkWidth()) / 2, p.Gap));
        EXPECT_EQ(ok.top, client.cy - p.LineH - p.ButtonH);
        EXPECT_EQ(ok.right - ok.left, p.OkWidth());
        EXPECT_EQ(ok.bottom - ok.top, p.ButtonH);
    });
}

TEST(MsgBoxSize, ATallTextScrollsLineByLine) {
    const TParts p;
    TQMsgBox box;
    for (int i = 1; i <= 200; ++i)
        box.AddText("Строка " + std::to_string(i) + ", длиннее заголовка окна сообщения\r\n");
    CheckOpen(box, [&](TQMsgBox& box) {
        EXPECT_EQ(ClientSize(box.MainWindow()).cy, p.H90);
        ASSERT_TRUE(HasStyle(box.TextWindow(), WS_VSCROLL));
        const TQDyedLineArray& lines = box.TextLayout().Lines;
        EXPECT_EQ(lines.size(), 200u) << "the scroll bar took the room of the widest lines";
        const int inside = lines[1].Top + 3;
        EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEDOWN), lines[1].Top);
        EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_THUMBTRACK, inside), inside);
        EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEDOWN), lines[2].Top)
            << "the next line's top goes to the top edge";
        Scroll(box, WM_VSCROLL, SB_THUMBTRACK, inside);
        EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEUP), lines[1].Top);
        EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_LINEUP), 0);
        const int page = ClientSize(box.TextWindow()).cy;
        EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_PAGEDOWN), page);
        EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_BOTTOM), page) << "only lines, pages and the thumb";
        EXPECT_EQ(Scroll(box, WM_VSCROLL, SB_THUMBTRACK, 30000), box.TextLayout().Height() - page);
    });
}

TEST(MsgBoxSize, AWideFixedLineScrollsSidewaysByAScrollBarWidth) {
    const TParts p;
    TQMsgBox box;
    box.Font.Wrap = false;
    box.AddText(std::string(400, 'W'));
    CheckOpen(box, [&](TQMsgBox& box) {
        EXPECT_EQ(ClientSize(box.MainWindow()).cx, p.W90);
        ASSERT_TRUE(HasStyle(box.TextWindow(), WS_HSCROLL));
        const int step = GetSystemMetrics(SM_CXVSCROLL);
        EXPECT_EQ(Scroll(box, WM_HSCROLL, SB_LINERIGHT), step);
        EXPECT_EQ(Scroll(box, WM_HSCROLL, SB_LINERIGHT), 2 * step);
        EXPECT_EQ(Scroll(box, WM_HSCROLL, SB_LINELEFT), step);
        Scroll(box, WM_HSCROLL, SB_LINELEFT);
        EXPECT_EQ(Scroll(box, WM_HSCROLL, SB_LINELEFT), 0);
    });
}

TEST(MsgBoxSize, ACaptionWiderThanTheTextWidensTheBox) {
    const TParts p;
    TQMsgBox box;
    box.Caption = "Заголовок окна, который заметно шире текста сообщения";
    box.AddText("x");
    const int room = p.CaptionRoom(box.Caption);
    CheckOpen(box, [&](TQMsgBox& box) {
        EXPECT_EQ(ClientSize(box.MainWindow()).cx, std::min(room, p.W90));
    });
}

TEST(MsgBoxSize, NarrowingRebreaksWrappingTextAndScrollsFixedLines) {
    TQMsgBox box;
    for (int i = 0; i < 12; ++i)
        box.AddText("слово за словом ");
    box.AddText("\r\n");
    box.Font.Wrap = false;
    box.AddText(std::string(60, '='));
    CheckOpen(box, [&](TQMsgBox& box) {
        const std::size_t before = box.TextLayout().Lines.size();
        EXPECT_FALSE(HasStyle(box.TextWindow(), WS_HSCROLL));
        SetWindowPos(box.MainWindow(), nullptr, 0, 0, 250, 400, SWP_NOMOVE | SWP_NOZORDER);
        const int width = ClientSize(box.TextWindow()).cx;
        const TQDyedLineArray& lines = box.TextLayout().Lines;
        EXPECT_GT(lines.size(), before);
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            EXPECT_LE(lines[i].Items.back().Right, width) << "line " << i;
        EXPECT_EQ(lines.back().Items[0].Width, box.TextLayout().WidestFixed);
        EXPECT_TRUE(HasStyle(box.TextWindow(), WS_HSCROLL));
    });
}

TEST(MsgBoxSize, AnIconThatDoesNotExistKeepsItsRoom) {
    const TParts p;
    const int iconW = GetSystemMetrics(SM_CXICON);
    const int iconH = GetSystemMetrics(SM_CYICON);
    for (const auto& [icon, exists] : {std::pair{TQIconName(static_cast<WORD>(32513)), true},
                                       std::pair{TQIconName("NOSUCHICON"), false}}) {
        TQMsgBox box;
        box.Icon = icon;
        box.AddText("x");
        CheckOpen(box, [&](TQMsgBox& box) {
            EXPECT_EQ(ChildRect(box.TextWindow()).left, 2 * p.Margin + iconW);
            EXPECT_EQ(ClientSize(box.MainWindow()).cy,
                      p.ButtonH + 3 * p.LineH + std::max(iconH, p.LineH));
            // Any icon has colour of its own in its middle.
            UpdateWindow(box.MainWindow());
            const win::TWindowDC dc(box.MainWindow());
            const COLORREF middle = GetPixel(dc.get(), p.Margin + iconW / 2, p.LineH + iconH / 2);
            EXPECT_EQ(middle != GetSysColor(COLOR_BTNFACE), exists) << "drawn or not";
        });
    }
}

} // namespace

// A long text in a few styles: one font per style, however many pieces alternate between them.
TEST(DyedPainter, MakesOneFontPerStyleForTheLayoutAndThePaint) {
    TQDyedTextArray pieces(300);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        pieces[i].Text = "piece " + std::to_string(i);
        pieces[i].Bold = i % 3 == 1;
        pieces[i].Italic = i % 3 == 2;
    }
    const win::TWindowDC screen(nullptr);
    const win::TMemoryDC memory(CreateCompatibleDC(screen.get()));
    TQDyedPainter painter;
    LOGFONTA normal{};
    normal.lfWeight = FW_NORMAL; // the painter's own font is the first style's
    painter.SetLogFont(normal);
    {
        const TQDyedPainter::TUse use(painter, memory.get());
        painter.CreateObjects();
        const TQDyedLayout layout = Layout(painter, pieces, 200);
        TQPaintView view;
        view.Width = 200;
        view.Height = layout.Height();
        painter.PaintText(layout.Lines, view);
    }
    EXPECT_EQ(painter.FontCount(), 3u);
    painter.ReleaseObjects();
    EXPECT_EQ(painter.FontCount(), 0u);
}
