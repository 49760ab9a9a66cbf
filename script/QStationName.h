#pragma once
// Which station names the conductor can use: a station's name becomes its scheme file's
// name in the temporary folder and the title of its window.

#include <string>
#include <string_view>

// False for a name that is empty, too long for a file name, holds a path separator, a colon,
// a control character or one of < > " | ? *, is "." or "..", or names a device (CON, NUL,
// COM1 ...) that Windows would open instead of a file.
bool IsValidStationName(std::string_view name);

// The name as Windows compares file names and window titles: without regard to the case of
// its letters, Cyrillic ones included. Two stations with the same key would share a scheme
// file and a window.
std::string StationNameKey(std::string_view name);
