#include "errors/err.h"

#include <cstdio>

// Native builds have no message box: the report goes to the standard error stream.
int RunWithErrorHandling(int (*body)()) {
    try {
        return body();
    } catch (...) {
        TUnhandledReport report = DescribeCurrentException();
        std::fprintf(stderr, "Exception %s.\n%s\n", report.ClassName.c_str(),
                     report.Message.c_str());
        return 1;
    }
}
