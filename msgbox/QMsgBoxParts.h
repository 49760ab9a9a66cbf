#pragma once
// What the files of the message box share and nobody else needs.

#include "os/ParkedFailure.h"

#include <windows.h>

// The system's fonts and caption sizes.
NONCLIENTMETRICSA NonClientMetrics();

// The box's window classes (BoxClass, BoxTextClass), as the wide functions take them.
const wchar_t* MainClassName();
const wchar_t* TextClassName();

// What the box's window procedures raised, raised again by the box's own code once the
// system has returned. Only one box runs on a thread at a time, and its procedures run on
// that thread.
extern thread_local win::TParkedFailure WindowFailure;
