#include "msgbox/QStmErrorText.h"

#include "util/LineBreaks.h"
#include "util/TextUtils.h"

#include <algorithm>

void AddSyntaxError(TQDyedMessage& message, TQInStm& stm, const std::string& msg, TQPos pos) {
    const std::string& text = stm.Text();
    const TQPos p = SkipBlanks(text, std::min(pos, text.size()));
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
