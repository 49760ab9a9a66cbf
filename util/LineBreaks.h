#pragma once
// Where a line of the system's texts ends, and what counts as blank. A line break is CR LF,
// LF CR, a single CR or a single LF: two different break characters in a row are one break,
// two equal ones are two.

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

inline bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Codes 1 to 32: control characters, line breaks and the space. The zero character ends a
// text and is no blank, so a scan over blanks stops there too.
inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) - 1u < 32u;
}

// Whether every character of S is a blank; true for the empty text.
inline bool IsBlankText(std::string_view s) {
    return std::all_of(s.begin(), s.end(), IsBlank);
}

// The first position at or after P that holds no blank, or the text's end.
inline std::size_t SkipBlanks(std::string_view text, std::size_t p) {
    while (p < text.size() && IsBlank(text[p]))
        ++p;
    return p;
}

// The characters of the break at P: 0 where none starts.
inline std::size_t BreakLength(std::string_view text, std::size_t p) {
    if (p >= text.size() || !IsLineBreak(text[p]))
        return 0;
    return p + 1 < text.size() && IsLineBreak(text[p + 1]) && text[p + 1] != text[p] ? 2 : 1;
}

// The line that starts at From: End is where its break (or the text) begins, Next where the
// following line starts (End itself at the text's end).
struct TLineSpan {
    std::size_t End;
    std::size_t Next;
};

inline TLineSpan LineAt(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && !IsLineBreak(text[end]))
        ++end;
    return {end, end + BreakLength(text, end)};
}

// The lines of a text without their breaks. Every break starts a line, so a text that ends
// with a break ends with an empty line, and the empty text is one empty line.
inline std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const TLineSpan line = LineAt(text, start);
        lines.push_back(text.substr(start, line.End - start));
        if (line.End == text.size())
            return lines;
        start = line.Next;
    }
}

// The text with its break characters left out, for comparing texts that were wrapped
// differently.
inline std::string WithoutLineBreaks(std::string_view text) {
    std::string flat;
    std::copy_if(text.begin(), text.end(), std::back_inserter(flat),
                 [](char c) { return !IsLineBreak(c); });
    return flat;
}
