// String constants: quoted parts, "#" character codes and backslash escapes by mode.
#include "textstream/QStm.h"
#include "textstream/QStmChars.h"

using namespace qstm;

namespace {

const char* const Unfinished = "Незаконченная строковая константа";

// Characters that a quoted part takes as they are in every mode.
bool IsPlainInPart(char c, char quote) {
    return c != quote && c != 0 && c != '\\' && !IsLineBreak(c);
}

} // namespace

bool TQInStm::IsString() {
    SkipBlanks();
    return StringHere();
}

bool TQInStm::StringHere() const {
    const char c = Text_[Cur_];
    // A quote after a letter is an apostrophe, as in «don't».
    if (IsQuote(c))
        return Cur_ == 0 || !IsLetter(Text_[Cur_ - 1]);
    return c == '#' && HashCodes() && IsDigit(Text_[Cur_ + 1]);
}

std::string TQInStm::ReadString() {
    std::string value;
    SkipBlanks();
    if (!StringHere()) {
        Error("Ожидалась строковая константа");
        return value;
    }
    const TQPos start = Cur_;
    for (;;) {
        const char c = Text_[Cur_];
        if (IsQuote(c))
            ReadQuotedPart(start, value);
        else if (c == '#' && HashCodes())
            ReadHashCode(value);
        else
            return value;
    }
}

// Errors are reported at the start of the whole constant, where the writer has to look.
void TQInStm::ReadQuotedPart(TQPos constantStart, std::string& value) {
    const char quote = Text_[Cur_++];
    for (;;) {
        const TQPos run = Cur_;
        while (IsPlainInPart(Text_[Cur_], quote))
            ++Cur_;
        value.append(Text_, run, Cur_ - run);
        const char c = Text_[Cur_];
        if (c == quote) {
            ++Cur_;
            return;
        }
        if (c == 0 || (IsLineBreak(c) && HashCodes())) {
            Error(Unfinished, constantStart);
            return; // the line break or the end is left for the caller
        }
        if (c == '\\' && BackslashEscapes()) {
            ReadEscape(value);
        } else {
            value += c;
            ++Cur_;
        }
    }
}

void TQInStm::ReadEscape(std::string& value) {
    ++Cur_; // the backslash
    const char c = Text_[Cur_];
    switch (c) {
    case 0:
        return; // a backslash at the very end: the part reports the unfinished constant
    case 'x':
        ++Cur_;
        ReadHexCode(value);
        return;
    case 'n':
        value += Mode == smCStyle ? "\n" : "\r\n";
        break;
    case 'r':
        value += '\r';
        break;
    case 't':
        value += '\t';
        break;
    case '\\':
        value += '\\';
        break;
    case '"':
    case '\'':
        if (Mode == smCStyle) {
            value += c;
            break;
        }
        [[fallthrough]];
    default:
        Error("Непредусмотренный символ \"" + std::string(1, c) + "\" после \"\\\"");
        value += c; // without an exception the character counts as written
        break;
    }
    ++Cur_;
}

// Two hexadecimal digits. A character that is not one is left in place, so that neither the
// closing quote nor the end of the text is stepped over.
void TQInStm::ReadHexCode(std::string& value) {
    int code = 0;
    for (int digit = 0; digit < 2; ++digit, ++Cur_) {
        const int d = HexValue(Text_[Cur_]);
        if (d < 0) {
            Error("Ожидалась 16-ричная цифра");
            return;
        }
        code = code * 16 + d;
    }
    value += static_cast<char>(code);
}

// "#" and a number, blanks and comments allowed between them: the character of the low
// eight bits of the value.
void TQInStm::ReadHashCode(std::string& value) {
    ++Cur_; // the "#"
    std::int32_t code = 0;
    if (ReadNumber(code))
        value += static_cast<char>(code & 0xFF);
}
