#include "msgbox/QDyedBreak.h"

#include <algorithm>
#include <string_view>

namespace {

// Lines as they are built: runs are placed at the pen position of the current line.
class TQLineBuilder {
public:
    TQLineBuilder() { Result_.Lines.emplace_back(); }

    std::int32_t X() const { return X_; }

    void Place(TQDyedText text, TQTextExtent extent) {
        TQDyedLine& line = Result_.Lines.back();
        line.Height = std::max(line.Height, extent.cy);
        line.Bottom = line.Top + line.Height;
        line.Items.push_back(TQDyedItem{X_, extent.cx, X_ + extent.cx, std::move(text)});
        X_ += extent.cx;
    }

    void EndLine() {
        const std::int32_t top = Result_.Lines.back().Bottom;
        Result_.Lines.emplace_back();
        Result_.Lines.back().Top = top;
        Result_.Lines.back().Bottom = top;
        X_ = 0;
    }

    TQDyedLayout& Result() { return Result_; }

private:
    TQDyedLayout Result_;
    std::int32_t X_ = 0;
};

// Places a wrapping piece that does not fit the rest of the line, breaking it as often as
// needed. Each line's search starts where the line before suggests it ends.
void PlaceBroken(TQTextMeasurer& m, const TQDyedText& piece, TQTextExtent whole, std::int32_t width,
                 TQLineBuilder& out) {
    const TQHeadEnds ends(piece.Text);
    double charsPerPixel = static_cast<double>(piece.Text.size()) / std::max(whole.cx, 1);
    std::size_t from = 0;
    for (;;) {
        TQPrefixWidths rest(m, std::string_view(piece.Text).substr(from));
        if (from == 0)
            rest.Know(rest.Size(), whole);
        const std::int32_t avail = std::max(width - out.X(), 0);
        const auto guess = static_cast<std::size_t>(avail * charsPerPixel);
        std::size_t n = LineBreak(rest, ends, from, avail, guess);
        // Not even one character fits. After other runs the piece goes on on the next line;
        // on an empty line its first character stands alone, wider than the width. (Putting
        // all the rest here would run a whole paragraph out past the edge.)
        if (n == 0 && rest.Size() > 0) {
            if (out.X() > 0) {
                out.EndLine();
                continue;
            }
            n = 1;
        }
        if (n == rest.Size()) {
            out.Place(SplitPiece(piece, from, n), rest.Of(n));
            return;
        }
        const TQTextExtent head = rest.Of(n);
        if (head.cx > 0)
            charsPerPixel = static_cast<double>(n) / head.cx;
        out.Place(SplitPiece(piece, from, n), head);
        out.EndLine();
    }
}

// FNV-1a over what a piece's measurement depends on: its text and its font.
class TQStamp {
public:
    void Add(std::string_view bytes) {
        for (unsigned char c : bytes)
            Value_ = (Value_ ^ c) * 0x100000001B3ull;
    }
    void Add(std::int32_t n) { Add(std::string_view(reinterpret_cast<const char*>(&n), sizeof n)); }
    std::uint64_t Value() const { return Value_; }

private:
    std::uint64_t Value_ = 0xCBF29CE484222325ull;
};

std::uint64_t StampOf(const TQDyedTextArray& pieces) {
    TQStamp stamp;
    for (const TQDyedText& piece : pieces) {
        stamp.Add(static_cast<std::int32_t>(piece.Text.size()));
        stamp.Add(piece.Text);
        stamp.Add(piece.FontName);
        stamp.Add(piece.FontHeight);
        stamp.Add(piece.Bold | piece.Italic << 1 | piece.Underline << 2);
    }
    return stamp.Value();
}

// KNOWN: the whole pieces' extents from an earlier layout of the same pieces, or null.
TQDyedLayout LayoutWith(TQTextMeasurer& m, const TQDyedTextArray& pieces, std::int32_t width,
                        std::uint64_t stamp, const std::vector<TQTextExtent>* known) {
    width = std::max(width, 0);
    TQLineBuilder out;
    TQDyedLayout& result = out.Result();
    result.Width = width;
    result.PiecesStamp = stamp;
    result.PieceExtents.reserve(pieces.size());
    std::int32_t run = 0; // the unbroken width of the logical line so far
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const TQDyedText& piece = pieces[i];
        if (!known)
            m.SelectAttributes(piece);
        // Pieces of different Wrap never share a line.
        if (i > 0 && (pieces[i - 1].LineEnd || pieces[i - 1].Wrap != piece.Wrap)) {
            out.EndLine();
            run = 0;
        }
        const TQTextExtent extent = known ? (*known)[i] : m.MeasureText(piece.Text);
        result.PieceExtents.push_back(extent);
        run += extent.cx;
        std::int32_t& widest = piece.Wrap ? result.WidestWrapped : result.WidestFixed;
        widest = std::max(widest, run);
        if (!piece.Wrap || width - out.X() >= extent.cx) {
            out.Place(piece, extent);
            continue;
        }
        if (known)
            m.SelectAttributes(piece);
        PlaceBroken(m, piece, extent, width, out);
    }
    return std::move(result);
}

} // namespace

TQDyedLayout Layout(TQTextMeasurer& m, const TQDyedTextArray& pieces, std::int32_t width) {
    return LayoutWith(m, pieces, width, StampOf(pieces), nullptr);
}

TQDyedLayout Relayout(TQTextMeasurer& m, const TQDyedTextArray& pieces, const TQDyedLayout& before,
                      std::int32_t width) {
    const std::uint64_t stamp = StampOf(pieces);
    const bool known = before.PieceExtents.size() == pieces.size() && before.PiecesStamp == stamp;
    return LayoutWith(m, pieces, width, stamp, known ? &before.PieceExtents : nullptr);
}
