#pragma once
// Shared test code reports its failures at the line of the test that called it: each function
// takes `TWhere where = TWhere::current()` as its last parameter, which the caller leaves out.

#include <gtest/gtest.h>

#include <source_location>
#include <string>

namespace support {

using TWhere = std::source_location;

// A non-fatal failure of the running test, shown at `where`.
inline void FailAt(const TWhere& where, const std::string& text) {
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << text;
}

} // namespace support
