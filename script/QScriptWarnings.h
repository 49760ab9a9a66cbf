#pragma once
// What a script that reads without error may still do wrong, in the script checker's words:
// texts in UTF-8, the script's own texts converted from code page 1251.

#include "script/QTestMessage.h"

#include <string>
#include <vector>

// The warning texts, without the "SCRIPT: warning: " in front. `stm` holds the script's
// text, for the line numbers.
std::vector<std::string> ScriptWarnings(const TQDemoScript& script, TQInStm& stm);
