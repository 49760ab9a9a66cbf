// Bracketed groups and comments.
#include "textstream/QPosStack.h"
#include "textstream/QStm.h"
#include "textstream/QStmChars.h"

#include <cstring>

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
            ReadCommentHere();
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
    const char c = Text_[Cur_];
    const char next = c == 0 ? 0 : Text_[Cur_ + 1];
    if (c == '/' && next == '/') {
        const TQPos start = Cur_ + 2;
        // strcspn stops at the zero as well: the line break is left unread.
        Cur_ = start + std::strcspn(Text_.c_str() + start, "\r\n");
        return Text_.substr(start, Cur_ - start);
    }
    if (PascalComments() && c == '{')
        return ReadDelimitedComment(1, "}");
    if (PascalComments() && c == '(' && next == '*')
        return ReadDelimitedComment(2, "*)");
    if (!PascalComments() && c == '/' && next == '*')
        return ReadDelimitedComment(2, "*/");
    Error("Ожидался комментарий");
    return {};
}

// The search ends at the first zero character, never beyond the text.
std::string TQInStm::ReadDelimitedComment(std::size_t openerLength, const char* closer) {
    const TQPos start = Cur_;
    const TQPos content = start + openerLength;
    const char* from = Text_.c_str() + content;
    const char* found = std::strstr(from, closer);
    if (!found) {
        Cur_ = content + std::strlen(from);
        Error("Не найден конец комментария", start);
        return Text_.substr(content, Cur_ - content);
    }
    Cur_ = static_cast<TQPos>(found - Text_.c_str()) + std::strlen(closer);
    return Text_.substr(content, static_cast<TQPos>(found - from));
}
