#pragma once
// One unattended run of a demonstration, as a presenter would run it.

#include "RehearseOptions.h"
#include "RehearseReport.h"
#include "RehearseScript.h"

#include <string>

// Starts CONDUCTOREXE with the script, presses the panel's button at every step once the
// panel allows it, and checks what the demonstration leaves behind. TEMPDIR is the
// temporary folder, with its trailing backslash, where the scheme files and the exchange
// folders lie.
TRehearsalReport Rehearse(const TRehearseOptions& options, const TScriptOutline& script,
                          const std::string& conductorExe, const std::string& tempDir);
