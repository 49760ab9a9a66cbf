#pragma once
// Dyed text on a device: measuring in a piece's font and drawing laid-out lines. Each font is
// made once per painter and kept until ReleaseObjects, so that a text of many pieces in a few
// styles costs a few fonts; the background brush is made anew when the colour changes.

#include "msgbox/QDyedText.h"
#include "os/WinHandle.h"

#include <windows.h>

#include <vector>

// The part of the laid-out text that a window shows, and the colour around the text.
struct TQPaintView {
    std::int32_t ScrollX = 0; // pixels of the text scrolled off to the left
    std::int32_t ScrollY = 0; // and off the top
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Color = clBtnFace;
};

class TQDyedPainter final : public TQTextMeasurer {
public:
    // Measures and draws in DC for its lifetime; the DC gets its own font back at the end, so
    // that the painter's font can be released.
    class TUse {
    public:
        TUse(TQDyedPainter& painter, HDC dc);
        TUse(const TUse&) = delete;
        TUse& operator=(const TUse&) = delete;
        ~TUse();

    private:
        TQDyedPainter& Painter_;
        HDC Dc_;
        HGDIOBJ OwnFont_;
    };

    const LOGFONTA& LogFont() const { return LogFont_; }
    void SetLogFont(const LOGFONTA& font) { LogFont_ = font; }
    HFONT FontHandle() const { return FontHandle_; }

    // The font of LogFont and the brush of the current background colour, made for a run.
    void CreateObjects();
    // Releases every font and the brush; no DC may hold them any more.
    void ReleaseObjects();
    // How many fonts the painter holds: one per distinct style it has met.
    std::size_t FontCount() const { return Fonts_.size(); }

    void SelectAttributes(const TQDyedText& piece) override;
    TQTextExtent MeasureText(std::string_view text) override;

    // Draws the view of LINES; every pixel of it is painted, so nothing needs erasing first.
    // The caller sets the transparent background mode.
    void PaintText(const TQDyedLineArray& lines, const TQPaintView& view);

private:
    HDC Dc_ = nullptr;
    // What the DC holds already: selecting a font or a colour costs a call into the system
    // even when nothing changes, and the text of a long message has a piece per line.
    HGDIOBJ SelectedFont_ = nullptr;
    bool TextColorSet_ = false;
    std::int32_t TextColor_ = 0; // as a colour value, resolved once per use of a DC
    LOGFONTA LogFont_{};
    HFONT FontHandle_ = nullptr; // the font of LogFont_, one of Fonts_
    struct TMadeFont {
        LOGFONTA Key;
        win::TFont Font;
    };
    std::vector<TMadeFont> Fonts_;
    std::wstring Wide_; // the text being measured or drawn, kept to spare an allocation a piece
    HFONT FontOf(const LOGFONTA& font);
    std::int32_t CurBkColor_ = 0;
    win::TBrush BkBrush_;
};
