#pragma once
// The program's entry: what to do is decided by the first command-line parameter.

#include <string>

// What the first parameter asks for. Only the exact, case-sensitive switches count.
enum class TEntryAction { MissingParameter, Register, Unregister, Demo };
TEntryAction EntryActionOf(const std::string& firstParam);

// Acts on this process's command line. Errors leave as exceptions, for the program's
// last-resort error display.
void RunKelvoDemo();
