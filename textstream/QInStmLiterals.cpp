// Keywords and punctuation, compared in place in the text: no string is built for a test.
#include "errors/err.h"
#include "textstream/QStm.h"
#include "textstream/QStmChars.h"
#include "toolkit/Platform.h"

using namespace qstm;

namespace {

constexpr int NoMatch = 1;

bool SameChar(char textChar, char litChar) {
    return textChar == litChar || os::SameCharIgnoringCase(textChar, litChar);
}

} // namespace

int TQInStm::CompareLiteral(std::string_view lit) {
    MatchStart_ = NoPos;
    MatchEnd_ = NoPos;
    TQPos t = Cur_;
    char quote = 0;
    for (std::size_t i = 0; i < lit.size(); ++i, ++t) {
        if (quote == 0) {
            if (IsBlank(lit[i])) {
                // A run of blanks in the literal stands for a run of one or more in the text.
                if (!IsBlank(Text_[t]))
                    return NoMatch;
                while (i < lit.size() && IsBlank(lit[i]))
                    ++i;
            }
            while (IsBlank(Text_[t]))
                ++t;
            if (i == lit.size())
                break;
        }
        const char c = lit[i];
        if (Text_[t] == 0 || !SameChar(Text_[t], c))
            return NoMatch;
        if (quote == 0 && IsQuote(c))
            quote = c;
        else if (c == quote)
            quote = 0;
    }
    // A literal never ends inside a word: ".Sync" is not the start of ".SyncAll".
    if (t > 0 && IsIdentChar(Text_[t]) && IsIdentChar(Text_[t - 1]))
        return NoMatch;
    MatchStart_ = Cur_;
    MatchEnd_ = t;
    return 0;
}

bool TQInStm::IsLiteral(std::string_view lit) {
    return CompareLiteral(lit) == 0;
}

std::string TQInStm::TakeMatch() {
    if (MatchStart_ != Cur_)
        AssertFailure(nullptr, "QStm", __LINE__);
    std::string match = Text_.substr(Cur_, MatchEnd_ - Cur_);
    Cur_ = MatchEnd_;
    return match;
}

void TQInStm::ExpectLiteral(std::string_view lit) {
    if (IsLiteral(lit))
        Cur_ = MatchEnd_;
    else
        Error("Ожидалось \"" + std::string(lit) + "\"");
}

bool TQInStm::AcceptLiteral(std::string_view lit) {
    if (!IsLiteral(lit))
        return false;
    Cur_ = MatchEnd_; // the match is taken without copying it out
    return true;
}
