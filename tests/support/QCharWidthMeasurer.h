#pragma once
// Measures with known character widths instead of a device: a text is as wide as the sum of
// its characters' widths and as high as its font's character height. Dyed text laid out this
// way can be checked to the pixel anywhere.

#include "msgbox/QDyedText.h"

#include <array>
#include <cstdlib>

class TQCharWidthMeasurer final : public TQTextMeasurer {
public:
    explicit TQCharWidthMeasurer(std::int32_t charWidth = 8) { Widths.fill(charWidth); }

    std::array<std::int32_t, 256> Widths; // by character code
    std::int32_t BoldExtra = 1;           // what each bold character adds
    std::int32_t DefaultHeight = 16;      // for font height 0

    void SelectAttributes(const TQDyedText& piece) override {
        Height_ = piece.FontHeight == 0 ? DefaultHeight : std::abs(piece.FontHeight);
        Bold_ = piece.Bold;
    }

    TQTextExtent MeasureText(std::string_view text) override {
        std::int32_t cx = 0;
        for (char c : text)
            cx += Widths[static_cast<unsigned char>(c)] + (Bold_ ? BoldExtra : 0);
        return {cx, Height_};
    }

private:
    std::int32_t Height_ = 16;
    bool Bold_ = false;
};
