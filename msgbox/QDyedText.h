#pragma once
// Dyed text: a message made of pieces, each in its own font and colours, either wrapping at
// the right edge or kept whole on its line; and its layout into lines for a given width.
// The layout measures through TQTextMeasurer, so that it runs with or without a device.

#include "util/ColorValue.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Colours of dyed text (util/ColorValue.h): the two defaults, system colours in the dyed
// text's spelling, and two RGB colours.
inline constexpr std::int32_t clWindowText = DyedSysColor(scWindowText);
inline constexpr std::int32_t clBtnFace = DyedSysColor(scBtnFace);
inline constexpr std::int32_t clWhite = 0x00FFFFFF;
inline constexpr std::int32_t clRed = 0x000000FF;

// One piece of text with its attributes. Its text never holds a line break.
struct TQDyedText {
    std::string Text;
    std::string FontName;
    std::int32_t FontHeight = 0; // a logical-font height: negative is the character height
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::int32_t Color = clWindowText;
    std::int32_t BkColor = clBtnFace;
    bool Wrap = true;     // may be broken at blanks when it does not fit the width
    bool LineEnd = false; // a line break follows the piece
};
using TQDyedTextArray = std::vector<TQDyedText>;

// The attributes that text added next is given.
struct TQMsgBoxFont {
    std::string Name;
    std::int32_t Height = 0;
    std::int32_t Color = clWindowText;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::int32_t BkColor = clBtnFace;
    bool Wrap = true;
};

// A run placed on a laid-out line; positions are pixels from the left of the whole text.
struct TQDyedItem {
    std::int32_t Left = 0;
    std::int32_t Width = 0;
    std::int32_t Right = 0;
    TQDyedText Text; // the piece, or the part of it placed here
};
using TQDyedItemArray = std::vector<TQDyedItem>;

// A laid-out line; positions are pixels from the top of the whole text.
struct TQDyedLine {
    std::int32_t Top = 0;
    std::int32_t Height = 0;
    std::int32_t Bottom = 0;
    TQDyedItemArray Items;
};
using TQDyedLineArray = std::vector<TQDyedLine>;

// A message being built: its pieces so far, and the attributes of text added next.
struct TQDyedMessage {
    TQMsgBoxFont Font;
    TQDyedTextArray Pieces;

    // Appends TEXT in the current attributes. CR, LF, CR LF and LF CR each end a line; CR CR
    // and LF LF are two line breaks.
    void AddText(std::string_view text);
};

struct TQTextExtent {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// Measures text in the font of a piece. Widths of prefixes must not decrease as the prefix
// grows, as with every real font.
class TQTextMeasurer {
public:
    // Makes later measurements use the font of PIECE.
    virtual void SelectAttributes(const TQDyedText& piece) = 0;
    // An empty text has width 0 and the font's height.
    virtual TQTextExtent MeasureText(std::string_view text) = 0;

protected:
    ~TQTextMeasurer() = default;
};

// The lines of a message laid out for one width.
struct TQDyedLayout {
    TQDyedLineArray Lines;
    // The widest logical line, measured unbroken, among lines of fixed and of wrapping pieces.
    std::int32_t WidestFixed = 0;
    std::int32_t WidestWrapped = 0;

    std::int32_t Width = 0; // the width it was laid out for
    // Every whole piece's extent, in the order of the pieces, and a stamp of the pieces'
    // texts and fonts: a relayout takes the extents only for the pieces they were made of.
    std::vector<TQTextExtent> PieceExtents;
    std::uint64_t PiecesStamp = 0;

    std::int32_t Height() const { return Lines.empty() ? 0 : Lines.back().Bottom; }
    // Whether these are the lines for WIDTH too: so when no wrapping piece had to be broken
    // at either width.
    bool Holds(std::int32_t width) const {
        return width == Width || (WidestWrapped <= Width && WidestWrapped <= width);
    }
};

// The number of leading characters of the piece's text that fit into AVAIL pixels, in the
// font selected in M.
std::size_t FitChars(TQTextMeasurer& m, const TQDyedText& piece, std::int32_t avail);

// The number of leading characters to put on the current line: up to the first blank of the
// last run of blanks that fits, unless that gives up more than a quarter of what fits.
std::size_t FindBreak(TQTextMeasurer& m, const TQDyedText& piece, std::int32_t avail);

// The head of length N of the piece's text from FROM on, with the piece's attributes; FROM
// moves past it, so that the piece keeps the characters after the head.
TQDyedText SplitPiece(const TQDyedText& piece, std::size_t& from, std::size_t n);

// Lays the pieces out for WIDTH pixels, selecting each piece's attributes in M. Wrapping
// pieces are broken at blanks; fixed ones stay whole and may reach past WIDTH.
TQDyedLayout Layout(TQTextMeasurer& m, const TQDyedTextArray& pieces, std::int32_t width);

// The same pieces, laid out by BEFORE with the same measurer, laid out again for WIDTH. Only
// the pieces that have to be broken are measured again; other pieces are laid out afresh.
TQDyedLayout Relayout(TQTextMeasurer& m, const TQDyedTextArray& pieces, const TQDyedLayout& before,
                      std::int32_t width);
