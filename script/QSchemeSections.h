#pragma once
// A scheme file as the station shows it: its lines, and the section of each step. The
// conductor writes the stations' head first, then one section per step, each ended by a
// ".Pause;" line.

#include <string>
#include <string_view>
#include <vector>

struct TSchemeSection {
    int First = 0; // index of its first line
    int Last = 0;  // index of its ".Pause;" line (or of the file's last line)
};

struct TSchemeText {
    std::vector<std::string> Lines;
    std::vector<TSchemeSection> Sections; // in step order; the head belongs to none
};

// Splits TEXT at CR LF, LF or CR. The head runs up to the ".Interactive:=true;" line and the
// blank line after it, when there is one.
TSchemeText SplitScheme(std::string_view text);
