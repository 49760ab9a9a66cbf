#pragma once
// The Windows temporary folder of the demonstration, with its trailing backslash: the
// scheme files and the stations' exchange folders lie in it.

#include <string>

extern std::string TempDir;
