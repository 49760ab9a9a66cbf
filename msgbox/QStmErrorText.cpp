#include "msgbox/QStmErrorText.h"

#include "util/TextUtils.h"

#include <algorithm>

namespace {

// Codes 1 to 32; the zero character ends the text.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) - 1u < 32u;
}

} // namespace

void AddSyntaxError(TQDyedMessage& message, TQInStm& stm, const std::string& msg, TQPos pos) {
    const std::string& text = stm.Text();
    TQPos p = std::min(pos, text.size());
    while (p < text.size() && IsBlank(text[p]))
        ++p;
    message.AddText("Строка " + IntToDecimal(stm.LineOf(p) + 1) + " поз. " +
                    IntToDecimal(stm.ColumnOf(p) + 1) + ":\r\n");
    message.AddText("  " + msg + "\r\n\r\n");

    const TQInStm::TExcerpt excerpt = TQInStm::ExpandTabs(stm.GetExcerpt(p));
    message.Font.Wrap = false;
    message.AddText(excerpt.Before);
    message.Font.Color = clWhite;
    message.Font.BkColor = clRed;
    message.AddText(excerpt.After);
}
