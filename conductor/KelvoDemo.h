#pragma once
// The program's entry: what to do is decided by the first command-line parameter.

// Acts on this process's command line. Errors leave as exceptions, for the program's
// last-resort error display.
void RunKelvoDemo();
