// String constants in the output stream, quoted so that the input stream of the same mode
// reads them back: Pascal style with #codes in modes 0 and 3, backslash escapes otherwise.
#include "textstream/QStm.h"

#include <cstdio>

namespace {

// Control characters, the single quote and DEL cannot stand inside a Pascal-style quote.
bool IsHashSpecial(unsigned char c) {
    return c < 32 || c == '\'' || c == 127;
}

std::string HashQuoted(std::string_view s) {
    if (s.empty())
        return "''";
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const bool special = IsHashSpecial(static_cast<unsigned char>(s[i]));
        std::size_t end = i;
        while (end < s.size() && IsHashSpecial(static_cast<unsigned char>(s[end])) == special)
            ++end;
        if (special) {
            for (; i < end; ++i) {
                out += '#';
                out += std::to_string(static_cast<unsigned char>(s[i]));
            }
        } else {
            out += '\'';
            out += s.substr(i, end - i);
            out += '\'';
            i = end;
        }
    }
    return out;
}

std::string HexEscape(unsigned char c) {
    char code[8];
    std::snprintf(code, sizeof code, "\\x%.2X", c);
    return code;
}

// The escape of one character in mode 1 or 2, or the character itself. `i` moves past what
// was written: in mode 2 a CR LF is one "\n".
std::string Escaped(std::string_view s, std::size_t& i, bool mode1) {
    const auto c = static_cast<unsigned char>(s[i++]);
    switch (c) {
    case '\t':
        return "\\t";
    case '\n':
        return "\\n";
    case '\r':
        if (mode1)
            return "\\r";
        if (i < s.size() && s[i] == '\n')
            ++i;
        return "\\n";
    case '"':
        return mode1 ? "\\\"" : "\"";
    case '\'':
        return mode1 ? "\\'" : "''";
    case '\\':
        return "\\\\";
    default:
        if (c < 32 || c == 127)
            return HexEscape(c);
        return std::string(1, static_cast<char>(c));
    }
}

std::string EscapeQuoted(std::string_view s, bool mode1) {
    const char quote = mode1 ? '"' : '\'';
    std::string out(1, quote);
    for (std::size_t i = 0; i < s.size();)
        out += Escaped(s, i, mode1);
    out += quote;
    return out;
}

} // namespace

// A quoted constant never holds a raw CR or LF, so it needs none of Write's checks.
void TQOutStm::WriteQuoted(std::string_view s) {
    if (Mode == smPascal || Mode == smScript)
        Append(HashQuoted(s));
    else
        Append(EscapeQuoted(s, Mode == smCStyle));
}
