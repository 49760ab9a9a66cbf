// The stream's text, its position, and the skipping of blanks and comments.
#include "errors/err.h"
#include "textstream/QStm.h"
#include "textstream/QStmChars.h"

#include <utility>

using namespace qstm;

TQInStm::TQInStm(std::string text) {
    SetText(std::move(text));
}

void TQInStm::SetText(std::string text) {
    Text_ = std::move(text);
    ErrorPos_ = NoPos;
    LineCachePos_ = 0;
    LineCacheCount_ = 0;
    // A match in the old text must not be taken from the new one.
    MatchStart_ = NoPos;
    MatchEnd_ = NoPos;
    Reset();
}

TQEncoding TQInStm::SetFileText(std::string bytes) {
    TQDecodedText decoded = DecodeText(std::move(bytes));
    if (decoded.Unmapped == NoPos) {
        SetText(std::move(decoded.Text));
        return decoded.Encoding;
    }
    // The character comes first, whatever stands before it: a comment left open in front of
    // it would otherwise be reported instead.
    const bool skipComments = SkipComments;
    SkipComments = false;
    SetText(std::move(decoded.Text));
    SkipComments = skipComments;
    const auto code = static_cast<std::uint32_t>(decoded.UnmappedChar);
    Error(FormatText("Символ U+%04X не представим в кодировке Windows-1251", {code}),
          decoded.Unmapped);
    Reset();
    return decoded.Encoding;
}

TQEncoding TQInStm::LoadFromFile(const std::string& fileName) {
    return SetFileText(LoadTextFile(fileName));
}

void TQInStm::Reset() {
    Cur_ = 0;
    SkipBlanks();
}

void TQInStm::SetPos(TQPos p) {
    if (p > Text_.size())
        AssertFailure(nullptr, "QStm", __LINE__);
    Cur_ = p;
}

bool TQInStm::Eof() const {
    return Text_[Cur_] == 0;
}

bool TQInStm::AtEnd() {
    SkipBlanks();
    return Eof();
}

void TQInStm::SkipSpaces() {
    while (IsBlank(Text_[Cur_]))
        ++Cur_;
}

void TQInStm::SkipBlanks() {
    SkipSpaces();
    if (!SkipComments)
        return;
    // Every test and reader starts here, mostly at a token: one look at the character
    // settles that no comment can start.
    while (MayStartComment(Text_[Cur_]) && AtComment()) {
        PassComment();
        SkipSpaces();
    }
}

void TQInStm::SkipToken() {
    const char c = Text_[Cur_];
    if (IsIdentChar(c)) {
        while (IsIdentChar(Text_[Cur_]))
            ++Cur_;
    } else if (c != 0 && !IsBlank(c)) {
        ++Cur_;
    }
    SkipBlanks();
}

void TQInStm::Error(const std::string& msg, TQPos pos) {
    if (pos == NoPos)
        pos = Cur_;
    ErrorPos_ = pos;
    if (Options & ShowBox)
        ShowError(msg, pos);
    if (Options & RaiseError)
        throw EInStm(msg, this);
}
