#pragma once
// What the runner needs to know of a demo script before it runs it.

#include <string>
#include <vector>

struct TScriptOutline {
    std::vector<std::string> Stations;
    // Each step's comment as the panel shows it: the script's, or the panel's own text for a
    // step without one.
    std::vector<std::string> Comments;
    // Each step's commands as the script writes them: "Office.Sync", "Office.SendTo(Laptop)".
    std::vector<std::vector<std::string>> Commands;
};

// Reads the script at PATH as the conductor does, without writing anything. Raises EInStm for
// a syntax error and Exception for a file that cannot be read.
TScriptOutline ReadScriptOutline(const std::string& path);
