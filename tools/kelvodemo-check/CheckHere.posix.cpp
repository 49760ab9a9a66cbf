#include "CheckHere.h"

int CheckHere(const TCheckOptions&, TCheckOutput& output) {
    output.Err += "kelvodemo-check: --here checks a Windows machine; this build has no such "
                  "check\n";
    return 2;
}
