#include "msgbox/QDyedPainter.h"

#include "os/Cp1251.h"

#include <algorithm>
#include <cstring>

namespace {

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

// The text as UTF-16 in BUFFER, which keeps its room from piece to piece.
const std::wstring& WideIn(std::wstring& buffer, std::string_view text) {
    const std::u16string units = cp1251::ToUtf16(text);
    buffer.assign(units.begin(), units.end());
    return buffer;
}

void Fill(HDC dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
          HBRUSH brush) {
    const RECT rect{left, top, right, bottom};
    FillRect(dc, &rect, brush);
}

} // namespace

TQDyedPainter::TUse::TUse(TQDyedPainter& painter, HDC dc)
    : Painter_(painter), Dc_(dc), OwnFont_(GetCurrentObject(dc, OBJ_FONT)) {
    Painter_.Dc_ = dc;
    Painter_.SelectedFont_ = OwnFont_;
    Painter_.TextColorSet_ = false;
}

TQDyedPainter::TUse::~TUse() {
    if (OwnFont_)
        SelectObject(Dc_, OwnFont_);
    Painter_.Dc_ = nullptr;
    Painter_.SelectedFont_ = nullptr;
}

HFONT TQDyedPainter::FontOf(const LOGFONTA& font) {
    for (const TMadeFont& made : Fonts_)
        if (SameFont(made.Key, font))
            return made.Font.get();
    Fonts_.push_back({font, win::TFont(CreateFontIndirectA(&font))});
    return Fonts_.back().Font.get();
}

void TQDyedPainter::CreateObjects() {
    FontHandle_ = FontOf(LogFont_);
    BkBrush_.reset(CreateSolidBrush(ColorToRGB(CurBkColor_)));
}

void TQDyedPainter::ReleaseObjects() {
    FontHandle_ = nullptr;
    Fonts_.clear();
    BkBrush_.reset();
}

void TQDyedPainter::SelectAttributes(const TQDyedText& piece) {
    LOGFONTA font = LogFont_;
    font.lfHeight = piece.FontHeight;
    font.lfWeight = piece.Bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = piece.Italic ? 1 : 0;
    font.lfUnderline = piece.Underline ? 1 : 0;
    const std::size_t nameLength = std::min<std::size_t>(piece.FontName.size(), LF_FACESIZE - 1);
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, piece.FontName.data(), nameLength);
    if (!FontHandle_ || !SameFont(font, LogFont_)) {
        LogFont_ = font;
        FontHandle_ = FontOf(LogFont_);
    }
    if (Dc_ && SelectedFont_ != FontHandle_ && SelectObject(Dc_, FontHandle_))
        SelectedFont_ = FontHandle_;
    if (Dc_ && (!TextColorSet_ || piece.Color != TextColor_)) {
        SetTextColor(Dc_, ColorToRGB(piece.Color));
        TextColorSet_ = true;
        TextColor_ = piece.Color;
    }
    if (piece.BkColor != CurBkColor_ || !BkBrush_) {
        CurBkColor_ = piece.BkColor;
        BkBrush_.reset(CreateSolidBrush(ColorToRGB(CurBkColor_)));
    }
}

TQTextExtent TQDyedPainter::MeasureText(std::string_view text) {
    SIZE size{};
    if (text.empty()) {
        // A blank for the font's height, no width.
        GetTextExtentPoint32W(Dc_, L" ", 1, &size);
        return {0, size.cy};
    }
    const std::wstring& wide = WideIn(Wide_, text);
    GetTextExtentPoint32W(Dc_, wide.data(), static_cast<int>(wide.size()), &size);
    return {size.cx, size.cy};
}

void TQDyedPainter::PaintText(const TQDyedLineArray& lines, const TQPaintView& view) {
    const win::TBrush boxBrush(CreateSolidBrush(ColorToRGB(view.Color)));
    auto line = std::find_if(lines.begin(), lines.end(),
                             [&](const TQDyedLine& l) { return l.Bottom > view.ScrollY; });
    std::int32_t drawnBottom = 0;
    for (; line != lines.end() && drawnBottom < view.Height; ++line) {
        const std::int32_t top = line->Top - view.ScrollY;
        const std::int32_t bottom = line->Bottom - view.ScrollY;
        std::int32_t right = 0;
        auto item = std::find_if(line->Items.begin(), line->Items.end(),
                                 [&](const TQDyedItem& i) { return i.Right > view.ScrollX; });
        for (; item != line->Items.end() && right < view.Width; ++item) {
            const std::int32_t left = item->Left - view.ScrollX;
            right = item->Right - view.ScrollX;
            SelectAttributes(item->Text);
            Fill(Dc_, left, top, right, bottom, BkBrush_.get());
            const std::wstring& wide = WideIn(Wide_, item->Text.Text);
            TextOutW(Dc_, left, top, wide.data(), static_cast<int>(wide.size()));
        }
        if (right < view.Width)
            Fill(Dc_, right, top, view.Width, bottom, boxBrush.get());
        drawnBottom = bottom;
    }
    if (drawnBottom < view.Height)
        Fill(Dc_, 0, drawnBottom, view.Width, view.Height, boxBrush.get());
}
