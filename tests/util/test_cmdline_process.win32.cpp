// This process's own command line: the test runner starts the program without parameters.
#include "util/CmdLine.h"

#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

TEST(CmdLineOfProcess, ProgramPathAndNoParameters) {
    std::string self = CmdLineParam(0);
    ASSERT_GT(self.size(), 4u);
    EXPECT_EQ(self.substr(self.size() - 4), ".exe") << self;
    EXPECT_NE(self.find(':'), std::string::npos) << "a full path: " << self;
    // The run-time library splits the same line by its own rules; they agree on plain words.
    EXPECT_EQ(CmdLineParamCount(), __argc - 1) << GetCommandLineA();
    for (int i = 1; i < __argc; ++i)
        EXPECT_EQ(CmdLineParam(i), __argv[i]);
    EXPECT_EQ(CmdLineParam(__argc), "");
}

} // namespace
