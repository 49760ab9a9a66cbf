#pragma once
// What the syntax error box says about an error of an input stream.

#include "msgbox/QDyedText.h"
#include "textstream/QStm.h"

#include <string>

// Adds to MESSAGE, starting in its current attributes: "Строка N поз. M:", the message
// indented, an empty line, and the excerpt of the text around the error, unwrapped and with
// its tabs expanded, with everything from the error on in white on red. Line, position and excerpt
// are those of the first non-blank character at or after POS.
void AddSyntaxError(TQDyedMessage& message, TQInStm& stm, const std::string& msg, TQPos pos);
