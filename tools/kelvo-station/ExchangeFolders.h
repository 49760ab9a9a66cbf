#pragma once
// The station's exchange point below the temporary folder, made and emptied by the station,
// and the files in it.

#include "protocol/QExchangeFolders.h"

#include <cstdint>
#include <string>
#include <vector>

// Creates both folders afresh, emptied of anything an earlier station of that number left.
// Raises std::runtime_error naming the folder that cannot be made.
void CreateExchangeFolders(const TExchangeFolders& folders);

// Removes FOLDER (a path ending in a backslash) with everything in it; what cannot be
// removed stays.
void RemoveTree(const std::string& folder);

// The names of the files in FOLDER, sorted; sub-folders are left out.
std::vector<std::string> FileNames(const std::string& folder);

// Replaces whatever FOLDER holds with one file NAME of TEXT; false when it cannot be written.
bool PutOnlyFile(const std::string& folder, const std::string& name, const std::string& text);

// The CRC-32 (as zip computes it) of the file at PATH; false when it cannot be read.
bool FileCrc32(const std::string& path, std::uint32_t& crc);
