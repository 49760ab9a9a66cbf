#include "os/Cp1251.h"

#include <array>
#include <cstdint>

namespace cp1251 {
namespace {

// Unicode of the bytes 0x80 to 0xFF. 0x98 has no character; it stands for U+0098 so that
// every byte survives a round trip.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr std::array<unsigned char, 256> MakeLowerTable() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c)
        t[c] = static_cast<unsigned char>(c + 32);
    constexpr unsigned char pairs[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C},
                                          {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
                                          {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
                                          {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
    for (const auto& p : pairs)
        t[p[0]] = p[1];
    return t;
}
constexpr std::array<unsigned char, 256> kLower = MakeLowerTable();

constexpr std::array<bool, 256> MakeLetterTable() {
    std::array<bool, 256> t{};
    for (int i = 0; i < 256; ++i)
        if (kLower[i] != i)
            t[i] = t[kLower[i]] = true;
    return t;
}
constexpr std::array<bool, 256> kLetter = MakeLetterTable();

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

} // namespace

char ToLower(char c) {
    return static_cast<char>(kLower[static_cast<unsigned char>(c)]);
}

bool IsUpper(char c) {
    return ToLower(c) != c;
}

bool IsLetter(char c) {
    return kLetter[static_cast<unsigned char>(c)];
}

namespace {

char16_t Unit(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x80 ? char16_t(b) : kHighHalf[b - 0x80];
}

bool IsSurrogatePair(std::u16string_view text, std::size_t i) {
    return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
           text[i + 1] <= 0xDFFF;
}

} // namespace

std::string ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        AppendUtf8(out, Unit(c));
    return out;
}

std::u16string ToUtf16(std::string_view text) {
    std::u16string out(text.size(), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = Unit(text[i]);
    return out;
}

std::string FromUtf16(std::u16string_view text, std::size_t* lost) {
    std::string out;
    out.reserve(text.size());
    std::size_t missing = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char byte = '?';
        const bool pair = IsSurrogatePair(text, i);
        if (pair || !FromCodePoint(text[i], byte))
            ++missing;
        if (pair)
            ++i;
        out += byte;
    }
    if (lost)
        *lost = missing;
    return out;
}

char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || lead > 0xF4)
        return Malformed;
    constexpr char32_t Least[] = {0, 0x80, 0x800, 0x10000};
    char32_t u = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        const std::size_t at = i + k;
        if (at >= s.size() || (static_cast<unsigned char>(s[at]) & 0xC0) != 0x80)
            return Malformed;
        u = (u << 6) | (static_cast<unsigned char>(s[at]) & 0x3F);
    }
    if (u < Least[extra] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF))
        return Malformed;
    i += extra;
    return u;
}

bool FromCodePoint(char32_t u, char& byte) {
    if (u < 0x80) {
        byte = static_cast<char>(u);
        return true;
    }
    if (u >= 0x0410 && u <= 0x044F) { // А to я, the bulk of any Russian text
        byte = static_cast<char>(0xC0 + (u - 0x0410));
        return true;
    }
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == u) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string FromUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char byte = '?';
        FromCodePoint(NextCodePoint(text, i), byte);
        out += byte;
    }
    return out;
}

} // namespace cp1251
