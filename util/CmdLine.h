#pragma once
// The program's command-line parameters, split as the command line is quoted.

#include <string>
#include <string_view>

// Token i of a command line (0 is the program name); empty past the last one.
std::string CmdLineParamOf(std::string_view cmdLine, int i);
// The number of parameters after the program name.
int CmdLineParamCountOf(std::string_view cmdLine);

#ifdef _WIN32
// The full path of this process's executable (GetModuleFileNameW, up to 260 characters), in
// code page 1251: characters that it lacks become '?'.
std::string ProgramPath();
std::wstring WideProgramPath();

// Parameter i of this process, read wide (GetCommandLineW) so that it is the same on any system
// code page, and given in code page 1251 as ProgramPath; 0 is the full path of the executable.
std::string CmdLineParam(int i);
// The same as it was given, for a path that code page 1251 may not hold.
std::wstring WideCmdLineParam(int i);
int CmdLineParamCount();
#endif
