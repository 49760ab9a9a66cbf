#pragma once
// What the checker says about a script that reads without error. Every text returned is
// UTF-8; the script's own texts are converted from the system's code page.

#include "script/QTestMessage.h"

#include <string>
#include <vector>

// A command as the script would write it: "Alpha.Sync", "2.SendTo(Beta)".
std::string CommandText(const TQTestCmd& cmd, const std::vector<TQTestSide>& sides);

// How the checker names an encoding: "cp1251" or "utf-8".
const char* EncodingName(TQEncoding encoding);

// The encoding read, then the summary of stations and steps; lines ended by "\n".
std::string ScriptSummary(const TQDemoScript& script, TQEncoding encoding);
