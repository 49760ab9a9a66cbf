// The native stand-in of wvsprintfA: the same text for the same template and arguments, as
// far as the system's templates go, with the formatter's quirks kept (a sign counts towards
// the precision, "%p" always shows a full word, an unknown conversion still pads).
#include "os/Cp1251.h"
#include "os/FormatConv.h"
#include "os/Platform.h"

#include <algorithm>
#include <string>

namespace os {
namespace {

using fmtconv::TConversion;
using fmtconv::TConvType;

// The formatter writes at most this many bytes, its terminating zero included.
constexpr std::uint32_t kLimit = 1024;

std::string Utf8Of(char16_t u) {
    std::string s;
    if (u < 0x800) {
        s += static_cast<char>(0xC0 | (u >> 6));
    } else {
        s += static_cast<char>(0xE0 | (u >> 12));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    }
    s += static_cast<char>(0x80 | (u & 0x3F));
    return s;
}

// A wide character in the ANSI code page, '?' where it has none.
char NarrowOf(char16_t u) {
    if (u < 0x80)
        return static_cast<char>(u);
    std::string narrow = cp1251::FromUtf8(Utf8Of(u));
    return narrow.size() == 1 ? narrow[0] : '?';
}

std::string DigitsOf(const TConversion& conv, std::uintptr_t slot) {
    const char* digits = conv.UpperHex ? "0123456789ABCDEF" : "0123456789abcdef";
    std::uint64_t value = static_cast<std::uint32_t>(slot);
    bool negative = false;
    if (conv.Type == TConvType::Pointer) {
        value = slot;
    } else if (conv.Type == TConvType::Signed && static_cast<std::int32_t>(slot) < 0) {
        negative = true;
        value = 0 - static_cast<std::uint64_t>(static_cast<std::int32_t>(slot));
    }
    unsigned base = conv.Type == TConvType::Hex || conv.Type == TConvType::Pointer ? 16 : 10;
    std::string text;
    do {
        text += digits[value % base];
        value /= base;
    } while (value != 0);
    if (negative)
        text += '-';
    std::reverse(text.begin(), text.end());
    return text;
}

class TRenderer {
public:
    TRenderer(const std::uintptr_t* slots, std::size_t count) : Slots_(slots), Count_(count) {}

    std::string Run(const char* at) {
        while (*at != 0 && Room_ > 1) {
            if (at[0] != '%' || at[1] == '%') {
                at += at[0] == '%' ? 1 : 0;
                Put(*at++);
                continue;
            }
            TConversion conv = fmtconv::ParseConversion(++at);
            at += conv.Length;
            Convert(conv);
        }
        // The caller sees the text up to its first zero, as it would in a buffer.
        return Out_.substr(0, Out_.find('\0'));
    }

private:
    void Put(char c) {
        Out_ += c;
        --Room_;
    }
    void Pad(std::uint32_t from, std::uint32_t to) {
        for (; from < to; ++from)
            Put(' ');
    }
    std::uintptr_t NextSlot() { return Next_ < Count_ ? Slots_[Next_++] : 0; }

    void Convert(TConversion conv) {
        std::uint32_t avail = Room_ - 1;
        if (conv.LeftAlign)
            conv.ZeroPad = false;
        conv.Width = std::min(conv.Width, avail);
        switch (conv.Type) {
        case TConvType::Unknown:
            if (!conv.LeftAlign)
                Pad(conv.Precision, conv.Width);
            return;
        case TConvType::Char:
        case TConvType::WideChar:
            return Aligned(conv, 1, std::string(1, CharOf(conv, NextSlot())));
        case TConvType::Text:
        case TConvType::WideText: {
            std::string text = TextOf(conv, NextSlot(), avail);
            return Aligned(conv, static_cast<std::uint32_t>(text.size()), text);
        }
        default:
            return Number(conv, DigitsOf(conv, NextSlot()), avail);
        }
    }

    void Aligned(const TConversion& conv, std::uint32_t precision, const std::string& body) {
        if (!conv.LeftAlign)
            Pad(precision, conv.Width);
        for (char c : body)
            Put(c);
        if (conv.LeftAlign)
            Pad(precision, conv.Width);
    }

    static char CharOf(const TConversion& conv, std::uintptr_t slot) {
        if (conv.Type == TConvType::WideChar)
            return NarrowOf(static_cast<char16_t>(slot));
        return static_cast<char>(slot);
    }

    static std::string TextOf(const TConversion& conv, std::uintptr_t slot, std::uint32_t avail) {
        std::uint32_t limit = conv.Precision == 0 ? avail : std::min(conv.Precision, avail);
        std::string text;
        if (conv.Type == TConvType::Text) {
            const char* s = slot != 0 ? reinterpret_cast<const char*>(slot) : "(null)";
            for (; text.size() < limit && *s != 0; ++s)
                text += *s;
        } else {
            const char16_t* s = slot != 0 ? reinterpret_cast<const char16_t*>(slot) : u"(null)";
            for (; text.size() < limit && *s != 0; ++s)
                text += NarrowOf(*s);
        }
        return text;
    }

    void Number(TConversion conv, const std::string& digits, std::uint32_t avail) {
        auto len = std::min(static_cast<std::uint32_t>(digits.size()), avail);
        std::uint32_t precision = std::min(std::max(conv.Precision, len), avail);
        if (conv.ZeroPad && conv.Width > precision)
            precision = conv.Width;
        std::string body;
        bool hex = conv.Type == TConvType::Hex || conv.Type == TConvType::Pointer;
        if (conv.PrefixHex && hex && Room_ > 3)
            body += conv.UpperHex ? "0X" : "0x";
        std::size_t sign = len > 0 && digits[0] == '-' ? 1 : 0;
        body.append(sign, '-');
        body.append(precision - len, '0');
        body.append(digits, sign, len - sign);
        if (conv.PrefixHex && !hex)
            body.append(2, '\0'); // the formatter counts a prefix it never writes
        Aligned(conv, precision, body);
    }

    const std::uintptr_t* Slots_;
    std::size_t Count_;
    std::size_t Next_ = 0;
    std::string Out_;
    std::uint32_t Room_ = kLimit;
};

} // namespace

std::string FormatSlots(const char* format, const std::uintptr_t* slots, std::size_t count) {
    return TRenderer(slots, count).Run(format);
}

} // namespace os
