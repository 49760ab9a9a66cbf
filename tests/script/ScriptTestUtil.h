#pragma once
// Reading scripts from memory for the tests, with errors raised and never shown.

#include "script/QTestMessage.h"
#include "tests/support/Where.h"
#include "util/LineBreaks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace scripttest {

inline TQDemoScript ReadText(const std::string& text, const std::string& schemeDir = "T:\\") {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.SetText(text);
    return ReadDemoText(stm, schemeDir);
}

struct TSyntaxError {
    std::string Message;
    TQPos Pos = NoPos;
};

// The syntax error the script raises, or nothing when it reads without one.
inline std::optional<TSyntaxError> ErrorOf(const std::string& text) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.SetText(text);
    try {
        ReadDemoText(stm, "T:\\");
    } catch (const EInStm& e) {
        return TSyntaxError{e.what(), stm.ErrorPos()};
    }
    return std::nullopt;
}

// Checks message and position; `at` is a piece of the text at whose last occurrence the
// error must be reported, blanks after the reported position passed over (an empty `at`
// stands for the end of the text).
inline void ExpectError(const std::string& text, const std::string& message, const std::string& at,
                        support::TWhere where = support::TWhere::current()) {
    SCOPED_TRACE("script: " + text);
    const auto error = ErrorOf(text);
    const TQPos want = text.rfind(at);
    if (!error || want == std::string::npos)
        return support::FailAt(where, error ? "test fault: marker not in the script"
                                            : "expected the error " + message);
    if (error->Message != message)
        support::FailAt(where, "raised \"" + error->Message + "\", expected \"" + message + "\"");
    const TQPos got = SkipBlanks(text, error->Pos);
    if (got != want)
        support::FailAt(where, "error reported at \"" + text.substr(got, 12) +
                                   "\", expected at \"" + at + "\"");
}

inline std::string SchemeOf(const TQDemoScript& script, std::size_t side) {
    return script.Sides.at(side).Scheme.GetText();
}

} // namespace scripttest
