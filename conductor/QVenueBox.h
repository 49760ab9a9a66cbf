#pragma once
// KelvoDemo.exe /check SCRIPT: the check of this machine for that script, in the program's
// own dyed box.

#include <string>

// Shows the check's lines, each state in its colour. True when no check found an error.
bool ShowVenueCheck(const std::wstring& script);
