#pragma once
// The syntax error box: what the program installs as the input streams' error display
// (SetShowErrorHook).

#include "textstream/QStm.h"

#include <string>

// Shows the error of STM at POS in a dyed message box, modally, captioned with the stream's
// ErrorCaption and with the stop icon.
void ShowStmErrorBox(TQInStm& stm, const std::string& msg, TQPos pos);
