#pragma once
// The program's command-line parameters, split as the command line is quoted.

#include <string>
#include <string_view>

// Token i of a command line (0 is the program name); empty past the last one.
std::string CmdLineParamOf(std::string_view cmdLine, int i);
// The number of parameters after the program name.
int CmdLineParamCountOf(std::string_view cmdLine);

#ifdef _WIN32
// The full path of this process's executable (GetModuleFileNameA, up to 260 characters).
std::string ProgramPath();

// Parameter i of this process (GetCommandLineA); 0 is the full path of the executable
// (GetModuleFileNameA).
std::string CmdLineParam(int i);
int CmdLineParamCount();
#endif
