#pragma once
// The program's entry: what to do is decided by the first command-line parameter.

// Acts on this process's command line and returns the exit code: 1 for a check that found an
// error, else 0. Errors leave as exceptions, for the program's last-resort error display.
int RunKelvoDemo();
