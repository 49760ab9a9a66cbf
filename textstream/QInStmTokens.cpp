// Identifiers and numbers.
#include "textstream/QStm.h"
#include "textstream/QStmChars.h"

using namespace qstm;

bool TQInStm::IsIdent() {
    SkipBlanks();
    return IsLetter(Text_[Cur_]);
}

std::string TQInStm::ReadIdent() {
    SkipBlanks();
    if (!IsLetter(Text_[Cur_])) {
        Error("Ожидался идентификатор");
        return {};
    }
    const TQPos start = Cur_;
    while (IsIdentChar(Text_[Cur_]))
        ++Cur_;
    return Text_.substr(start, Cur_ - start);
}

std::int32_t TQInStm::ReadInt() {
    std::int32_t value = 0;
    ReadNumber(value);
    return value;
}

// False, with `value` untouched and Cur left where the digit was needed, when no digit
// follows. Values beyond 32 bits wrap around, as the format has always read them.
bool TQInStm::ReadNumber(std::int32_t& value) {
    SkipBlanks();
    const bool negative = Text_[Cur_] == '-';
    if (negative)
        ++Cur_;
    if (!IsDigit(Text_[Cur_])) {
        Error("Ожидалось число");
        return false;
    }
    std::uint32_t magnitude = 0;
    for (; IsDigit(Text_[Cur_]); ++Cur_)
        magnitude = magnitude * 10 + static_cast<std::uint32_t>(Text_[Cur_] - '0');
    value = static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
    return true;
}
