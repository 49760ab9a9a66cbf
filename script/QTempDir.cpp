#include "script/QTempDir.h"

std::string TempDir;
