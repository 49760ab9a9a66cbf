#pragma once
// Which station names the conductor can use: a station's name becomes its scheme file's
// name in the temporary folder and the title of its window.

#include <string_view>

// False for a name that is empty, too long for a file name, holds a path separator, a colon,
// a control character or one of < > " | ? *, is "." or "..", or names a device (CON, NUL,
// COM1 ...) that Windows would open instead of a file.
bool IsValidStationName(std::string_view name);
