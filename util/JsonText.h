#pragma once
// JSON for the tools' reports.

#include <string>
#include <string_view>

// A JSON string literal, quotes included, of a UTF-8 text.
std::string JsonString(std::string_view utf8);
