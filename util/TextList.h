#pragma once
// A list of strings: the conductor's wait list, and lines loaded from a file.

#include <cstddef>
#include <string>
#include <vector>

class TTextList {
public:
    // Appends a copy; returns the new item's index.
    int Add(const std::string& s);
    // The item, or the empty text for an index outside 0 .. Count - 1.
    std::string Item(int i) const;
    // The first item equal to s byte for byte, or -1; the empty string is never found.
    int IndexOf(const std::string& s) const;
    void Delete(int i);
    void Clear();
    int Count() const { return static_cast<int>(Items_.size()); }
    // In-place quicksort through the locale's comparison, with or without case.
    void Sort(bool caseSensitive);
    // CR ends a line (an LF right after it is skipped); false, list unchanged, when the
    // file cannot be read.
    bool LoadFromFile(const std::string& path);

private:
    std::vector<std::string> Items_;
};
