#pragma once
// The system's exception with an error code, and the assertion report.

#include <cstdint>
#include <stdexcept>
#include <string>

// Declared here so that the portable core can report impossible states; the rest of the
// error subsystem is declared further down as it is built.
[[noreturn]] void AssertFailure(const char* message, const char* sourceName, int line);
