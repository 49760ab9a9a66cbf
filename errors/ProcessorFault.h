#pragma once
// The Exception that a processor fault becomes.

#include "errors/err.h"

#include <windows.h>

// The record must outlive the exception: an external exception keeps its address.
Exception ProcessorException(const EXCEPTION_RECORD& record);

// The file name of the module whose image holds ADDRESS, with its folder ("" when none);
// BASE receives the module's allocation base.
std::string ModuleOfAddress(const void* address, const void*& base);

// Marks every processor fault non-continuable as it is raised, so that a handler that only
// resumes it (the C runtime's start-up code does for some) cannot keep it from the last resort.
void InstallFaultMarker();
void RemoveFaultMarker();

// The fault that RECORD stands for: itself, or for STATUS_NONCONTINUABLE_EXCEPTION the marked
// fault that a handler tried to resume.
const EXCEPTION_RECORD& FaultBehind(const EXCEPTION_RECORD& record);
