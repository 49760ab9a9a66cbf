// The input stream under random operation sequences, over a random text in each mode, with
// errors raised or only reported. The input's last bytes choose the settings and the
// operations, the bytes before them are the text, so that scripts serve as seeds.
#include "FuzzSupport.h"
#include "textstream/QStm.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>

namespace {

using fuzz::Require;

int ReportedErrors = 0;

void CountError(TQInStm&, const std::string&, TQPos) {
    ++ReportedErrors;
}

// Literals as the script reader passes them, and some with the blanks and quotes that the
// comparison also knows.
constexpr std::array<std::string_view, 16> Literals = {
    ".Caption(", ".Comment(", ":DemoStation", ";",     ");",   "(",     ")",       "}",
    "{",         ".",         ".SendTo",      ".Sync", "a  b", "'x y'", "\" ( \"", "Cap tion",
};

enum TOp : std::uint8_t {
    opAtEnd,
    opSkipSpaces,
    opSkipBlanks,
    opSkipToken,
    opIsLiteral,
    opTakeMatch,
    opExpectLiteral,
    opAcceptLiteral,
    opIsIdent,
    opReadIdent,
    opIsString,
    opReadString,
    opReadInt,
    opIsBracket,
    opReadBrackets,
    opIsComment,
    opReadCommentHere,
    opReadComment,
    opSetPos,
    opLines,
    opCount
};

class TSession {
public:
    explicit TSession(TQInStm& stm) : Stm(stm) {}
    void Run(TOp op, std::uint32_t arg);

private:
    void Dispatch(TOp op, std::uint32_t arg, TQPos end);
    std::string Literal(std::uint32_t arg) const;
    void Reader(TOp op, bool blanksFirst);
    void CheckLines(TQPos p);

    TQInStm& Stm;
};

std::string TSession::Literal(std::uint32_t arg) const {
    if (arg % 2 == 0)
        return std::string(Literals[(arg / 2) % Literals.size()]);
    // A piece of the text itself, so that longer matches happen too.
    const std::string& text = Stm.Text();
    if (text.empty())
        return "x";
    const std::size_t from = (arg / 2) % text.size();
    std::string piece = text.substr(from, 1 + (arg >> 20) % 8);
    piece.erase(std::find(piece.begin(), piece.end(), '\0'), piece.end());
    return piece.empty() ? "x" : piece;
}

// A reader moves on, or reports an error; blanks it skipped first do not count as moving on.
void TSession::Reader(TOp op, bool blanksFirst) {
    if (blanksFirst)
        Stm.SkipBlanks();
    const TQPos before = Stm.Cur();
    const int errors = ReportedErrors;
    switch (op) {
    case opReadIdent: {
        const bool ident = Stm.IsIdent();
        const std::string word = Stm.ReadIdent();
        Require(ident == !word.empty(), "ReadIdent reads a word exactly where IsIdent says");
        break;
    }
    case opReadString:
        Stm.ReadString();
        break;
    case opReadInt:
        Stm.ReadInt();
        break;
    case opReadBrackets:
        Stm.ReadBrackets();
        break;
    case opReadCommentHere:
        Stm.ReadCommentHere();
        break;
    case opReadComment:
        Stm.ReadComment();
        break;
    default:
        return;
    }
    Require(Stm.Cur() > before || ReportedErrors > errors, "a reader moves on or reports");
}

// Lines, columns and excerpts: within the text, and the cached line count agrees with one
// counted from the start.
void TSession::CheckLines(TQPos p) {
    const std::string& text = Stm.Text();
    const TQPos q = std::min(p, text.size()); // a position beyond the text stands for its end
    const TQPos start = Stm.LineStart(p);
    const TQPos next = Stm.NextLine(p);
    Require(start <= q && next <= text.size(), "line start and next line lie in the text");
    Require(Stm.ColumnOf(p) >= 0 && static_cast<TQPos>(Stm.ColumnOf(p)) <= q,
            "a column lies within the text before the position");
    TQInStm fresh;
    fresh.Options = 0;
    fresh.SkipComments = false;
    fresh.SetText(text);
    Require(Stm.LineOf(p) == fresh.LineOf(p), "the line cache agrees with a fresh count");
    const TQInStm::TExcerpt excerpt = Stm.GetExcerpt(p);
    Require(excerpt.Before.size() <= q &&
                text.compare(q - excerpt.Before.size(), excerpt.Before.size(), excerpt.Before) == 0,
            "the excerpt's first part ends at the position");
    Require(text[q] == 0 || text.compare(q, excerpt.After.size(), excerpt.After) == 0,
            "the excerpt's second part starts at the position");
}

void TSession::Run(TOp op, std::uint32_t arg) {
    const std::string& text = Stm.Text();
    // The end of the text as every reader sees it: the first zero at or after the position.
    const TQPos end = std::min(text.find('\0', Stm.Cur()), text.size());
    try {
        Dispatch(op, arg, end);
    } catch (const EInStm& e) {
        Require(e.Stm == &Stm && Stm.ErrorPos() <= text.size(),
                "a raised error names its stream and a place in the text");
    }
    // SetPos is the one operation that may go anywhere in the text.
    Require(op == opSetPos ? Stm.Cur() <= text.size() : Stm.Cur() <= end,
            "no operation passes the end of the text");
}

void TSession::Dispatch(TOp op, std::uint32_t arg, TQPos end) {
    const std::string& text = Stm.Text();
    switch (op) {
    case opAtEnd:
        Stm.AtEnd();
        break;
    case opSkipSpaces:
        Stm.SkipSpaces();
        break;
    case opSkipBlanks:
        Stm.SkipBlanks();
        break;
    case opSkipToken:
        Stm.SkipToken();
        break;
    case opIsLiteral:
        if (Stm.IsLiteral(Literal(arg)))
            Require(Stm.MatchStart() == Stm.Cur() && Stm.MatchEnd() > Stm.Cur() &&
                        Stm.MatchEnd() <= end,
                    "a match starts at the position and ends within the text");
        break;
    case opTakeMatch:
        if (Stm.MatchStart() == Stm.Cur())
            Stm.TakeMatch();
        break;
    case opExpectLiteral: {
        const TQPos before = Stm.Cur();
        const int errors = ReportedErrors;
        Stm.ExpectLiteral(Literal(arg));
        Require(Stm.Cur() > before || ReportedErrors > errors, "ExpectLiteral moves or reports");
        break;
    }
    case opAcceptLiteral:
        Stm.AcceptLiteral(Literal(arg));
        break;
    case opIsIdent:
        Stm.IsIdent();
        break;
    case opIsString:
        Stm.IsString();
        break;
    case opIsBracket:
        Stm.IsBracket();
        break;
    case opIsComment:
        Stm.IsComment();
        break;
    case opSetPos:
        Stm.SetPos(arg % (text.size() + 1));
        break;
    case opLines:
        CheckLines(arg % (text.size() + 2));
        break;
    default:
        Reader(op, arg % 2 == 0);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetShowErrorHook(&CountError);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto settings = in.ConsumeIntegral<std::uint8_t>();
    const auto steps = in.ConsumeIntegralInRange<std::size_t>(0, 48);
    std::vector<std::pair<TOp, std::uint32_t>> ops;
    for (std::size_t i = 0; i < steps && in.remaining_bytes() > 0; ++i) {
        const auto op = static_cast<TOp>(in.ConsumeIntegralInRange<int>(0, opCount - 1));
        ops.emplace_back(op, in.ConsumeIntegral<std::uint32_t>());
    }
    const std::string text = fuzz::TightText(in.ConsumeRemainingBytesAsString());

    TQInStm stm;
    stm.Mode = settings & 3;
    stm.SkipComments = (settings & 4) == 0;
    stm.Options = ShowBox | ((settings & 8) != 0 ? RaiseError : 0);
    try {
        stm.SetText(text); // skips what stands first, which may be an unclosed comment
    } catch (const EInStm& e) {
        Require(e.Stm == &stm && stm.Cur() <= text.size(), "the start stays in the text");
    }
    TSession session(stm);
    for (const auto& [op, arg] : ops)
        session.Run(op, arg);
    return 0;
}
