// Where the conductor looks for a station's files: the station puts them in the same place
// by the same rule, so a fault here loses every file that a script sends.
#include "protocol/QExchangeFolders.h"

#include <gtest/gtest.h>

namespace {

TEST(ExchangeFolders, InputAndOutputBelowTheStationsRoot) {
    const TExchangeFolders folders = ExchangeFolders("T:\\tmp\\", 0x1A2B, "Офис");
    EXPECT_EQ(folders.Root, "T:\\tmp\\$Kelvo$1a2b\\");
    EXPECT_EQ(folders.Input, "T:\\tmp\\$Kelvo$1a2b\\Офис.kelvo.files\\Там.point\\Input\\");
    EXPECT_EQ(folders.Output, "T:\\tmp\\$Kelvo$1a2b\\Офис.kelvo.files\\Там.point\\Output\\");
}

TEST(ExchangeFolders, NumberInLowerCaseHexWithoutLeadingZeros) {
    const struct {
        std::uint32_t X;
        const char* Root;
    } cases[] = {
        {0, "T:\\$Kelvo$0\\"},
        {255, "T:\\$Kelvo$ff\\"},
        {0xFFFFFFFF, "T:\\$Kelvo$ffffffff\\"}, // a process number, never a sign
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExchangeFolders("T:\\", c.X, "A").Root, c.Root) << c.X;
}

} // namespace
