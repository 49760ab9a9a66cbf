#pragma once
// The script's tables as UTF-8 JSON.

#include "script/QTestMessage.h"

#include <string>
#include <string_view>

// A JSON string literal, quotes included, of a UTF-8 text.
std::string JsonString(std::string_view utf8);

// {"encoding":...,"stations":[...],"steps":[...]} followed by a line end.
std::string ScriptJson(const TQDemoScript& script, TQEncoding encoding);
