// Scripts come from any editor: most save UTF-8 today, with or without its byte-order mark.
// Text in code page 1251 with any letter beyond ASCII is practically never well-formed UTF-8,
// so a script that is not stays byte for byte as it was written.
#include "errors/err.h"
#include "os/Cp1251.h"
#include "textstream/QStm.h"

#include <utility>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr char32_t Replacement = 0xFFFD;

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// Well-formed throughout, and more than ASCII, which reads the same either way.
bool IsUtf8(std::string_view s) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < s.size();) {
        const char32_t u = cp1251::NextCodePoint(s, i);
        if (u == cp1251::Malformed)
            return false;
        beyondAscii = beyondAscii || u >= 0x80;
    }
    return beyondAscii;
}

TQDecodedText FromUtf8(std::string_view s) {
    TQDecodedText decoded;
    decoded.Encoding = TQEncoding::Utf8;
    decoded.Text.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        char32_t u = cp1251::NextCodePoint(s, i);
        if (u == cp1251::Malformed)
            u = Replacement; // possible only after the mark
        char byte = '?';
        if (!cp1251::FromCodePoint(u, byte) && decoded.Unmapped == NoPos) {
            decoded.Unmapped = decoded.Text.size();
            decoded.UnmappedChar = u;
        }
        decoded.Text += byte;
    }
    return decoded;
}

} // namespace

TQDecodedText DecodeText(std::string bytes) {
    if (IsUtf16(bytes))
        throw Exception(ecSystem,
                        "Сценарий в кодировке UTF-16: сохраните его в UTF-8 или Windows-1251");
    const std::string_view s = bytes;
    if (s.starts_with(Utf8Mark))
        return FromUtf8(s.substr(Utf8Mark.size()));
    if (IsUtf8(s))
        return FromUtf8(s);
    TQDecodedText decoded;
    decoded.Text = std::move(bytes);
    return decoded;
}
