#pragma once
// The checker's command line.

#include <stdexcept>
#include <string>
#include <vector>

struct TCheckOptions {
    std::string Script; // as given, in the system's code page
    std::string OutDir; // empty: no scheme file is written
    bool Json = false;
    bool Help = false;
    // --here: the machine is checked for the script, not only the script read.
    bool Here = false;
    std::string Conductor; // --conductor: the KelvoDemo.exe that will run it
    std::string Rehearsal; // --rehearsal: the rehearsal's JSON report
};

// A command line the checker cannot act on; the message says why.
class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `args` without the program name.
TCheckOptions ParseCheckOptions(const std::vector<std::string>& args);

// DIR as a prefix of file names: with a separator at its end.
std::string FolderPrefix(const std::string& dir);

// What --help prints.
const char* CheckUsageText();
