// Bracketed groups and comments.
#include "textstream/QPosStack.h"
#include "textstream/QStm.h"
#include "textstream/QStmChars.h"

using namespace qstm;

bool TQInStm::IsBracket() {
    SkipBlanks();
    return BracketHere();
}

bool TQInStm::BracketHere() const {
    const char c = Text_[Cur_];
    if (PascalComments())
        return c == '[' || (c == '(' && Text_[Cur_ + 1] != '*');
    return c == '(' || c == '[' || c == '{';
}

// Nested groups are followed with a stack of their opening brackets rather than by recursion:
// a script is untrusted input, and nesting deep enough would otherwise exhaust the stack.
std::string TQInStm::ReadBrackets() {
    SkipBlanks();
    const TQPos open = Cur_;
    if (!BracketHere()) {
        Error("Ожидались скобки");
        return {};
    }
    TQPosStack opens;
    opens.Push(open);
    ++Cur_;
    TQPos innerEnd = Cur_;
    while (!opens.Empty()) {
        SkipBlanks();
        const char c = Text_[Cur_];
        if (c == 0 || c == ClosingBracket(Text_[opens.Top()])) {
            if (opens.Size() == 1)
                innerEnd = Cur_;
            const TQPos groupOpen = opens.Top();
            opens.Pop();
            // Every group left open is reported at its own bracket, the innermost first.
            if (c == 0)
                Error("Незакрытая скобка", groupOpen);
            else
                ++Cur_;
        } else if (StringHere()) {
            ReadString();
        } else if (BracketHere()) {
            opens.Push(Cur_++);
        } else if (AtComment()) { // met only when SkipComments is off
            PassComment();
        } else {
            SkipToken();
        }
    }
    return Text_.substr(open + 1, innerEnd - open - 1);
}

bool TQInStm::AtComment() const {
    const char c = Text_[Cur_];
    if (c == 0)
        return false;
    const char next = Text_[Cur_ + 1];
    if (c == '/' && next == '/')
        return true;
    if (PascalComments())
        return c == '{' || (c == '(' && next == '*');
    return c == '/' && next == '*';
}

bool TQInStm::IsComment() {
    SkipSpaces();
    return AtComment();
}

std::string TQInStm::ReadComment() {
    SkipSpaces();
    return ReadCommentHere();
}

std::string TQInStm::ReadCommentHere() {
    const TSpan content = PassComment();
    return Text_.substr(content.First, content.Last - content.First);
}

// Moves Cur past the comment at Cur. Without a comment there: an error, and an empty span.
TQInStm::TSpan TQInStm::PassComment() {
    const char c = Text_[Cur_];
    const char next = c == 0 ? 0 : Text_[Cur_ + 1];
    if (c == '/' && next == '/') {
        const TQPos first = Cur_ + 2;
        Cur_ = first;
        while (Text_[Cur_] != 0 && !IsLineBreak(Text_[Cur_]))
            ++Cur_; // the line break is left unread
        return {first, Cur_};
    }
    if (PascalComments() && c == '{')
        return PassDelimitedComment(1, '}', 0);
    if (PascalComments() && c == '(' && next == '*')
        return PassDelimitedComment(2, '*', ')');
    if (!PascalComments() && c == '/' && next == '*')
        return PassDelimitedComment(2, '*', '/');
    Error("Ожидался комментарий");
    return {Cur_, Cur_};
}

// The closer is one character, or two when close2 is not zero. The search ends at the first
// zero character, never beyond the text.
TQInStm::TSpan TQInStm::PassDelimitedComment(std::size_t openerLength, char close1, char close2) {
    const TQPos start = Cur_;
    const TQPos first = start + openerLength;
    const char* const text = Text_.c_str();
    TQPos p = first;
    for (; text[p] != close1 || (close2 != 0 && text[p + 1] != close2); ++p) {
        if (text[p] == 0) {
            Cur_ = p;
            Error("Не найден конец комментария", start);
            return {first, p};
        }
    }
    Cur_ = p + (close2 != 0 ? 2 : 1);
    return {first, p};
}
