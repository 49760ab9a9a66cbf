#pragma once
// A syntax error as the checker reports it: "SCRIPT:LINE:COL: MESSAGE", then the lines
// around the error with a ^ under its column. UTF-8.

#include "textstream/QStm.h"

#include <string>

// `script` is the name to show (UTF-8), `message` the error text in the system's code page,
// `stm` the stream that reported it at its ErrorPos.
std::string SyntaxErrorReport(const std::string& script, const std::string& message, TQInStm& stm);
