#pragma once
// What the checks make of what they find, apart from how they find it.

#include "script/QTestMessage.h"
#include "venue/QVenueCheck.h"

#include <cstdint>
#include <optional>
#include <string>

// A time-out shorter than this ends a typical demonstration halfway.
inline constexpr std::uint32_t ShortTimeoutSeconds = 30 * 60;

// A time-out of SECONDS (0: never), against the rehearsal's total time when there is one,
// else against half an hour.
TVenueState TimeoutState(std::uint32_t seconds, std::optional<std::uint32_t> rehearsalSeconds);
// "никогда", "45 с", "20 мин" or "1 ч 30 мин".
std::string DurationText(std::uint32_t seconds);

// The script line: read without error, with the checker's warnings as its details; or the
// error, with its place. SCRIPT receives what was read.
TVenueLine ScriptLine(const std::string& path, const std::string& schemeDir, TQDemoScript& script);

// The system's code page, and whether each station name outside ASCII in the script at PATH
// reads the same in it.
TVenueLine CodePageLine(const std::string& path);
