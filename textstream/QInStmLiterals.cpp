// Keywords and punctuation, compared in place in the text: no string is built for a test.
#include "errors/err.h"
#include "os/Platform.h"
#include "textstream/QStm.h"
#include "textstream/QStmChars.h"

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
    const char* const text = Text_.c_str();
    const char* t = text + Cur_;
    const char* l = lit.data();
    const char* const litEnd = l + lit.size();
    char quote = 0;
    for (; l != litEnd; ++l, ++t) {
        if (quote == 0) {
            if (IsBlank(*l)) {
                // A run of blanks in the literal stands for a run of one or more in the text.
                if (!IsBlank(*t))
                    return NoMatch;
                while (l != litEnd && IsBlank(*l))
                    ++l;
            }
            while (IsBlank(*t))
                ++t;
            if (l == litEnd)
                break;
        }
        const char c = *l;
        if (*t == 0 || !SameChar(*t, c))
            return NoMatch;
        if (quote == 0 && IsQuote(c))
            quote = c;
        else if (c == quote)
            quote = 0;
    }
    // A literal never ends inside a word: ".Sync" is not the start of ".SyncAll".
    if (t != text && IsIdentChar(*t) && IsIdentChar(t[-1]))
        return NoMatch;
    MatchStart_ = Cur_;
    MatchEnd_ = static_cast<TQPos>(t - text);
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
