#include "msgbox/QDyedText.h"

#include "util/LineBreaks.h"

namespace {

bool SameAttributes(const TQDyedText& piece, const TQMsgBoxFont& font) {
    return piece.FontName == font.Name && piece.FontHeight == font.Height &&
           piece.Bold == font.Bold && piece.Italic == font.Italic &&
           piece.Underline == font.Underline && piece.Color == font.Color &&
           piece.BkColor == font.BkColor && piece.Wrap == font.Wrap;
}

TQDyedText EmptyPiece(const TQMsgBoxFont& font) {
    TQDyedText piece;
    piece.FontName = font.Name;
    piece.FontHeight = font.Height;
    piece.Bold = font.Bold;
    piece.Italic = font.Italic;
    piece.Underline = font.Underline;
    piece.Color = font.Color;
    piece.BkColor = font.BkColor;
    piece.Wrap = font.Wrap;
    return piece;
}

} // namespace

void TQDyedMessage::AddText(std::string_view text) {
    if (Pieces.empty() || Pieces.back().LineEnd || !SameAttributes(Pieces.back(), Font))
        Pieces.push_back(EmptyPiece(Font));
    for (std::size_t start = 0;;) {
        const TLineSpan line = LineAt(text, start);
        TQDyedText& last = Pieces.back();
        last.Text.append(text.substr(start, line.End - start));
        if (line.End == text.size())
            return;
        last.LineEnd = true;
        // A text that ends with its break leaves no empty piece behind.
        if (line.Next == text.size())
            return;
        start = line.Next;
        Pieces.push_back(EmptyPiece(Font));
    }
}
