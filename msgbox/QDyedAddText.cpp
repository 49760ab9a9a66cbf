#include "msgbox/QDyedText.h"

namespace {

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

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
    for (;;) {
        std::size_t br = 0;
        while (br < text.size() && !IsLineBreak(text[br]))
            ++br;
        TQDyedText& last = Pieces.back();
        last.Text.append(text.substr(0, br));
        if (br == text.size())
            return;
        last.LineEnd = true;
        std::size_t next = br + 1;
        // Two different break characters in a row are one break; two equal ones are two.
        if (next < text.size() && IsLineBreak(text[next]) && text[next] != text[br])
            ++next;
        // A text that ends with its break leaves no empty piece behind.
        if (next == text.size())
            return;
        text.remove_prefix(next);
        Pieces.push_back(EmptyPiece(Font));
    }
}
