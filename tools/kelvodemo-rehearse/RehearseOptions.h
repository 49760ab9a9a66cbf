#pragma once
// The command line of kelvodemo-rehearse.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct TRehearseOptions {
    std::string Script;
    std::string JsonFile;                     // empty: no JSON report
    std::string ShotsDir = "rehearsal-shots"; // empty: no screenshots
    std::uint32_t TimeoutMs = 30000;          // how long the panel may wait for its stations
    std::uint32_t SettleMs = 300; // pause before each screenshot, for the stations to draw
    bool Help = false;
};

// A command line the runner cannot act on; the message says why.
class ERehearseUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ARGS without the program name.
TRehearseOptions ParseRehearseOptions(const std::vector<std::string>& args);

// What --help prints.
const char* RehearseUsageText();
