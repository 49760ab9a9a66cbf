#pragma once
// The stations: the temporary folder, the product program, their launch and their end.

#include <string>

// The Windows temporary folder, always ending in "\".
extern std::string TempDir;
// The product program: the conductor's own folder + "Kelvo.exe".
extern std::string ProductExe;

// The temporary folder with its trailing backslash; raises when it cannot be determined.
std::string GetTempDir();

struct TSplitPath {
    std::string Folder; // with its trailing backslash; empty without one
    std::string Name;
};
TSplitPath SplitPath(const std::string& path);

// Reads the script named by the first parameter, writes the scheme files and starts one
// product instance per station, every station awaited before the first is started.
void StartDemo();
// Tells every station to quit and deletes the scheme files.
void StopStations();
