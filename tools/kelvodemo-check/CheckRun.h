#pragma once
// One run of the checker, with its output collected rather than printed.

#include <string>
#include <vector>

struct TCheckOutput {
    std::string Out; // UTF-8 for standard output
    std::string Err; // UTF-8 for standard error
};

// `args` are the parameters after the program name, in the system's code page. Returns the
// exit status: 0 read without error, 1 error in or around the script, 2 wrong command line.
int RunCheck(const std::vector<std::string>& args, TCheckOutput& output);
