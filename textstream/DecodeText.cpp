// Scripts come from any editor: most save UTF-8 today, with or without its byte-order mark.
// Text in code page 1251 with any letter beyond ASCII is practically never well-formed UTF-8,
// so a script that is not stays byte for byte as it was written.
#include "errors/err.h"
#include "os/Cp1251.h"
#include "textstream/QStm.h"

#include <utility>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr char32_t Malformed = 0xFFFFFFFF;
constexpr char32_t Replacement = 0xFFFD;

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

bool IsContinuation(std::string_view s, std::size_t i) {
    return i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
}

// The code point of the well-formed sequence at s[i], i moved past it; or Malformed, i moved
// past the first byte only. Overlong forms, surrogates and code points beyond U+10FFFF are
// not well-formed.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || lead > 0xF4)
        return Malformed;
    constexpr char32_t Least[] = {0, 0x80, 0x800, 0x10000};
    char32_t u = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if (!IsContinuation(s, i - 1 + k))
            return Malformed;
        u = (u << 6) | (static_cast<unsigned char>(s[i - 1 + k]) & 0x3F);
    }
    if (u < Least[extra] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF))
        return Malformed;
    i += extra;
    return u;
}

// Well-formed throughout, and more than ASCII, which reads the same either way.
bool IsUtf8(std::string_view s) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < s.size();) {
        const char32_t u = NextCodePoint(s, i);
        if (u == Malformed)
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
        char32_t u = NextCodePoint(s, i);
        if (u == Malformed)
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
