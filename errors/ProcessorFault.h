#pragma once
// The Exception that a processor fault becomes.

#include "errors/err.h"

#include <windows.h>

// The record must outlive the exception: an external exception keeps its address.
Exception ProcessorException(const EXCEPTION_RECORD& record);

// The file name of the module whose image holds ADDRESS, with its folder ("" when none);
// BASE receives the module's allocation base.
std::string ModuleOfAddress(const void* address, const void*& base);
