#pragma once
// The script's tables as UTF-8 JSON.

#include "script/QTestMessage.h"

#include <string>

// A JSON string literal, quotes included, of a text in code page 1251.
std::string JsonText(const std::string& cp1251Text);

// {"encoding":...,"stations":[...],"steps":[...]} followed by a line end.
std::string ScriptJson(const TQDemoScript& script, TQEncoding encoding);
