#pragma once
// The checks that ask the system, one a file.

#include "script/QTestMessage.h"
#include "venue/QVenueCheck.h"

#include <string>

// The temporary folder as the program would use it; empty when the system names none.
std::wstring SystemTempFolder();

TVenueLine ProductLine(const std::string& conductor);
TVenueLine TempLine(const std::wstring& folder, const TQDemoScript& script);
TVenueLine RunningLine(const TQDemoScript& script);
TVenueLine ScreensLine(const TQDemoScript& script);
TVenueLine InterruptionsLine(std::optional<std::uint32_t> rehearsalSeconds);
TVenueLine FileTypesLine(const std::string& conductor);
