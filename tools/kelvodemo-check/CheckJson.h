#pragma once
// The script's tables as UTF-8 JSON.

#include "script/QTestMessage.h"

#include <string>

// {"encoding":...,"stations":[...],"steps":[...]} followed by a line end.
std::string ScriptJson(const TQDemoScript& script, TQEncoding encoding);
