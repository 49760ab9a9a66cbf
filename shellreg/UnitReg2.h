#pragma once
// The product's file types in the Windows shell: /register writes them, /unregister removes
// them together with the product's settings key. Nothing is shown in either direction.

#include "os/WinHandle.h"

#include <string>
#include <string_view>

// The /register action for the running program (CmdLineParam(0)).
void RegisterFileTypes();
// The same for a program at `programPath`: the executables are registered in its folder.
void RegisterFileTypes(std::string_view programPath);
// The /unregister action.
void UnregisterFileTypes();

// The program that the open command of .KelvoDemo files names; empty when none is registered.
std::string DemoScriptOpener();

// The registry operations both actions are made of.

// RegCreateKeyExA (create) or RegOpenKeyExA with access 0x4001F; empty on any error.
win::TRegKey OpenRegKey(HKEY root, const std::string& path, bool create);
// A REG_SZ value with its terminating zero; `name` null writes the default value.
void WriteRegText(HKEY key, const char* name, const std::string& text);
// The default value of HKEY_CLASSES_ROOT\path, the key created when missing; false only
// when the key can be neither opened nor created.
bool SetClassesDefault(const std::string& path, const std::string& text);
// Deletes root\path with every subkey below it; a missing key is no error.
void DeleteRegTree(HKEY root, const std::string& path);
