#include "errors/ErrIds.h"
#include "errors/ErrTexts.h"
#include "errors/err.h"

void AssertFailure(const char* message, const char* sourceName, int line) {
    std::string text = message ? std::string(message) : ErrorText(IDS_ASSERTION_FAILED);
    Exception e(ecAssertionFailed, ErrorText(IDS_ASSERT_ERROR).c_str(),
                {text, sourceName ? sourceName : "", line});
    // Reported where the assertion failed, not here.
    e.RaiseAddress = __builtin_return_address(0);
    throw e;
}
