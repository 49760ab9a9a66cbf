#include "msgbox/QStmErrorBox.h"

#include "msgbox/QMsgBox.h"
#include "msgbox/QStmErrorText.h"

void ShowStmErrorBox(TQInStm& stm, const std::string& msg, TQPos pos) {
    TQMsgBox box;
    box.Caption = stm.ErrorCaption;
    box.Icon = TQIconName(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(IDI_HAND)));
    AddSyntaxError(box, stm, msg, pos);
    box.Execute();
}
