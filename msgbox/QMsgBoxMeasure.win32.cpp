// The sizes of the box, worked out before its windows exist: margins and heights from the
// message font, the text laid out for 90% of the screen, the buttons, the caption's room.
#include "msgbox/QMsgBox.h"

#include "msgbox/QMsgBoxParts.h"
#include "os/Wide.h"

#include <algorithm>

namespace {

std::int32_t TextWidthIn(HDC dc, HGDIOBJ font, const std::string& text) {
    const win::TSelectObject selected(dc, font);
    SIZE size{};
    const std::wstring wide = win::Wide(text);
    GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

} // namespace

TQMsgBox::TClientSize TQMsgBox::Measure() {
    const win::TWindowDC screen(nullptr);
    const HDC dc = screen.get();
    const TQDyedPainter::TUse use(Painter_, dc);
    const std::int32_t w90 = MulDiv(GetSystemMetrics(SM_CXSCREEN), 90, 100);
    const std::int32_t h90 = MulDiv(GetSystemMetrics(SM_CYSCREEN), 90, 100);
    const std::int32_t captionRoom = MeasureCaption(dc, NonClientMetrics());

    Painter_.CreateObjects();
    ButtonFont_.reset(CreateFontIndirectA(&Painter_.LogFont()));
    TEXTMETRICA tm{};
    {
        const win::TSelectObject selected(dc, Painter_.FontHandle());
        GetTextMetricsA(dc, &tm);
    }
    Margin_ = tm.tmAveCharWidth * 7 / 2;
    RightMargin_ = Margin_ / 2;
    LineH_ = tm.tmHeight;
    ButtonH_ = tm.tmHeight * 7 / 4;
    Gap_ = tm.tmHeight / 2;
    std::int32_t iconH = 0;
    LoadIconRoom(iconH);
    Layout_ = Layout(Painter_, Pieces, w90 - Margin_ - RightMargin_);
    MeasureButtons(dc, tm.tmHeight);

    const std::int32_t textH = std::max(iconH, Layout_.Height());
    TClientSize client;
    client.Height = std::min(ButtonH_ + 3 * LineH_ + textH, h90);
    // A text taller than the box is scrolled; its scroll bar gets room of its own, so that the
    // widest line still fits beside it instead of being broken before its last word.
    const bool scrolled = ButtonH_ + 3 * LineH_ + Layout_.Height() > h90;
    const std::int32_t barW = scrolled ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    client.Width = std::min(
        std::max(Layout_.WidestFixed, Layout_.WidestWrapped) + Margin_ + RightMargin_ + barW, w90);
    client.Width = std::max(client.Width, ButtonsW_ + 2 * Gap_);
    client.Width = std::min(std::max(client.Width, captionRoom), w90);
    return client;
}

// The caption's width in the caption font, and room for five caption buttons.
std::int32_t TQMsgBox::MeasureCaption(HDC dc, const NONCLIENTMETRICSA& metrics) const {
    const win::TFont font(CreateFontIndirectA(&metrics.lfCaptionFont));
    return TextWidthIn(dc, font.get(), Caption) + 5 * metrics.iCaptionWidth;
}

// The icon's room is kept even when the icon cannot be loaded.
void TQMsgBox::LoadIconRoom(std::int32_t& iconH) {
    IconHandle_ = nullptr;
    if (!Icon)
        return;
    IconHandle_ = LoadIconA(nullptr, Icon.Get());
    if (!IconHandle_)
        IconHandle_ = LoadIconA(GetModuleHandleA(nullptr), Icon.Get());
    IconX_ = Margin_;
    Margin_ = 2 * Margin_ + GetSystemMetrics(SM_CXICON);
    iconH = GetSystemMetrics(SM_CYICON);
}

void TQMsgBox::MeasureButtons(HDC dc, std::int32_t tmHeight) {
    ButtonsW_ = (static_cast<std::int32_t>(Buttons_.size()) - 1) * Gap_;
    for (TQMsgBoxBtn& button : Buttons_) {
        const std::int32_t captionW = TextWidthIn(dc, ButtonFont_.get(), button.Caption);
        button.Width = std::max(tmHeight * 7, captionW + 2 * ButtonH_);
        ButtonsW_ += button.Width;
    }
}
