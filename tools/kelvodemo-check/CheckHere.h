#pragma once
// kelvodemo-check --here: the check of this machine for the script, printed.

#include "CheckOptions.h"
#include "CheckRun.h"
#include "venue/QVenueCheck.h"

// The lines as a JSON array of {"check","state","found","details"}, followed by a line end.
std::string VenueJson(const TVenueReport& report);

// Exit status 0 when no check found an error, 1 otherwise; 2 where the machine cannot be
// checked by this build.
int CheckHere(const TCheckOptions& options, TCheckOutput& output);
