// FormatText must give what the platform's formatter gives; the same cases run against
// wvsprintfA itself in the Windows build and against the stand-in natively.
#include "os/Platform.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

TEST(FormatText, NumbersWidthPrecisionAndPadding) {
    EXPECT_EQ(FormatText("%d", {-42}), "-42");
    EXPECT_EQ(FormatText("%i|%u", {-7, -1}), "-7|4294967295");
    EXPECT_EQ(FormatText("%d", {INT_MIN}), "-2147483648");
    EXPECT_EQ(FormatText("%5d|%-5d|", {42, 42}), "   42|42   |");
    EXPECT_EQ(FormatText("%05d", {-42}), "-0042") << "the sign is one of the five";
    EXPECT_EQ(FormatText("%.5d|%.5d", {-42, 42}), "-0042|00042") << "and of the precision too";
    EXPECT_EQ(FormatText("%8.5d|%-8.5d|%08.5d", {42, 42, 42}), "   00042|00042   |00000042");
    EXPECT_EQ(FormatText("%-08d|%010d", {5, -5}), "5       |-000000005");
    EXPECT_EQ(FormatText("%.d|%-.3d|%3.5d|%.0d", {3, 3, 3, 0}), "3|003|00003|0");
    EXPECT_EQ(FormatText("%x %X %u", {0xABCDEF01u, 0xABCDEF01u, 0x80000000u}),
              "abcdef01 ABCDEF01 2147483648");
    EXPECT_EQ(FormatText("%x|%6.4x|%.2X", {0, 255, 10}), "0|  00ff|0A");
}

TEST(FormatText, SizePrefixesAndWideValues) {
    EXPECT_EQ(FormatText("%hd|%hu|%ld", {70000, 70000, -3}), "70000|70000|-3")
        << "h and l change nothing for numbers";
    std::uint64_t wide = 0x123456789ABCull;
    EXPECT_EQ(FormatText("%lx|%d", {wide, 0x1FFFFFFFFull}), "56789abc|-1")
        << "a number conversion reads the low 32 bits of its slot";
}

TEST(FormatText, AddressesShowAFullWord) {
    const void* p = reinterpret_cast<const void*>(std::uintptr_t{0x1234});
    EXPECT_EQ(FormatText("%p", {p}), "0000000000001234");
    EXPECT_EQ(FormatText("%p", {reinterpret_cast<const void*>(std::uintptr_t{0x123456789ABC})}),
              "0000123456789ABC");
    const void* q = reinterpret_cast<const void*>(std::uintptr_t{0x12});
    EXPECT_EQ(FormatText("%8p|%.3p", {q, q}), "0000000000000012|0000000000000012")
        << "width and precision of %p are ignored";
    EXPECT_EQ(FormatText("%-20p|", {q}), "12              |") << "left-aligned in 16";
}

TEST(FormatText, TextsAndCharacters) {
    EXPECT_EQ(FormatText("%s|%5s|%-5s|", {"abc", "abc", "abc"}), "abc|  abc|abc  |");
    EXPECT_EQ(FormatText("%.2s|%.0s|%2.1s|%05s|", {"abc", "abc", "abc", "abc"}), "ab|abc| a|  abc|")
        << "precision 0 means all; zero padding is for numbers only";
    EXPECT_EQ(FormatText("%s|", {static_cast<const char*>(nullptr)}), "(null)|");
    EXPECT_EQ(FormatText("[%s]", {std::string("Офис")}), "[Офис]");
    EXPECT_EQ(FormatText("%s %s", {"\xC0\xDF", ""}), "\xC0\xDF ");
    EXPECT_EQ(FormatText("%c|%3c|%-3c|%.1c", {'A', 'A', 'A', 'x'}), "A|  A|A  |x");
    EXPECT_EQ(FormatText("%c|%C|%hC", {0x141, 0x10041, 'q'}), "A|A|q") << "truncated to the type";
    EXPECT_EQ(FormatText("%C|%lc|", {0x416, 0x4E2D}), "Ж|?|") << "wide characters in cp1251";
    EXPECT_EQ(FormatText("%S|%ls|%.2S|%6S|", {u"W\u0416", u"wide", u"wxyz", u"wx"}),
              "WЖ|wide|wx|    wx|");
    EXPECT_EQ(FormatText("%S", {u"a\u4E2Db"}), "a?b");
    EXPECT_EQ(FormatText("%hs|%hS", {"ab", "cd"}), "ab|cd");
    EXPECT_EQ(FormatText("%c|%d", {0, 5}), "") << "the text ends at a zero character";
    EXPECT_EQ(FormatText("%3c|", {0}), "  ");
}

TEST(FormatText, LiteralsAndPercent) {
    EXPECT_EQ(FormatText("", {}), "");
    EXPECT_EQ(FormatText("no conversions", {}), "no conversions");
    EXPECT_EQ(FormatText("%%|%d%%", {7}), "%|7%");
    EXPECT_EQ(FormatText("I/O error %d", {32}), "I/O error 32");
}

// The formatter stops at 1023 characters; a conversion at that edge is cut, never spilled.
class FormatEdge : public ::testing::Test {
protected:
    std::string Filler(std::size_t n) { return std::string(n, 'a'); }
    // The part of the result after the first n characters, which must be the filler.
    std::string Tail(const std::string& result, std::size_t n) {
        EXPECT_EQ(result.substr(0, n), Filler(n));
        EXPECT_LE(result.size(), 1023u);
        return result.size() > n ? result.substr(n) : std::string();
    }
};

TEST_F(FormatEdge, TextIsCutAt1023Characters) {
    std::string big = Filler(1099);
    EXPECT_EQ(FormatText("%s", {big}).size(), 1023u);
    EXPECT_EQ(FormatText(big.c_str(), {}).size(), 1023u);
    EXPECT_EQ(Tail(FormatText("%s%5s", {Filler(1020), "xyz"}), 1020), "xyz");
    EXPECT_EQ(Tail(FormatText("%s%-5s|", {Filler(1021), "xyz"}), 1021), "xy");
    EXPECT_EQ(Tail(FormatText("%s%S", {Filler(1020), u"wxyz"}), 1020), "wxy");
    EXPECT_EQ(Tail(FormatText("%s%c%c", {Filler(1022), 'x', 'y'}), 1022), "x");
    EXPECT_EQ(Tail(FormatText("%s%c", {Filler(1023), 'x'}), 1023), "");
}

TEST_F(FormatEdge, NumbersAreCutToTheRoomLeft) {
    EXPECT_EQ(Tail(FormatText("%s%-8d|", {Filler(1020), 5}), 1020), "5  ");
    EXPECT_EQ(Tail(FormatText("%s%08d", {Filler(1020), 5}), 1020), "005");
    EXPECT_EQ(Tail(FormatText("%s%.8d", {Filler(1020), 5}), 1020), "005");
    EXPECT_EQ(Tail(FormatText("%s%d", {Filler(1020), -12345}), 1020), "-12");
    EXPECT_EQ(Tail(FormatText("%s%05d", {Filler(1021), -12}), 1021), "-1");
    const void* q = reinterpret_cast<const void*>(std::uintptr_t{0x12});
    EXPECT_EQ(Tail(FormatText("%s%p", {Filler(1020), q}), 1020), "012");
    EXPECT_EQ(Tail(FormatText("%s%p", {Filler(1018), q}), 1018), "00012");
}

TEST(FormatText, MismatchedTemplatesAreRejected) {
    EXPECT_THROW(FormatText("%s", {42}), std::logic_error) << "a number for a text";
    EXPECT_THROW(FormatText("%d", {"x"}), std::logic_error) << "a text for a number";
    EXPECT_THROW(FormatText("%S", {"x"}), std::logic_error) << "a narrow text for a wide one";
    EXPECT_THROW(FormatText("%s", {u"x"}), std::logic_error) << "a wide text for a narrow one";
    EXPECT_THROW(FormatText("%d %d", {1}), std::logic_error) << "too few arguments";
    EXPECT_THROW(FormatText("%d", {1, 2}), std::logic_error) << "too many arguments";
    EXPECT_THROW(FormatText("%q", {}), std::logic_error) << "an unknown conversion";
    EXPECT_THROW(FormatText("100%", {}), std::logic_error) << "a lone percent at the end";
    EXPECT_THROW(FormatText("%#x", {255}), std::logic_error) << "the prefix flag";
    EXPECT_THROW(FormatText(nullptr, {}), std::logic_error);
    try {
        FormatText("%d and %s", {1, 2});
        ADD_FAILURE() << "no exception";
    } catch (const std::logic_error& e) {
        EXPECT_NE(std::string(e.what()).find("argument 2"), std::string::npos) << e.what();
    }
}

// What the formatter does with templates that FormatText refuses: the stand-in must agree.
TEST(FormatSlots, UnknownConversionsAndPrefix) {
    auto run = [](const char* fmt, std::uintptr_t a = 0) { return os::FormatSlots(fmt, &a, 1); };
    EXPECT_EQ(run("%5q|"), "     q|") << "an unknown conversion pads, then is text";
    EXPECT_EQ(run("%-5q|%05q|%5.2q|"), "q|     q|   q|");
    EXPECT_EQ(run("abc%5"), "abc     ");
    EXPECT_EQ(run("%5%|"), "     |") << "the second percent starts a conversion of its own";
    EXPECT_EQ(run("%h|%lq"), "|q");
    EXPECT_EQ(run("%#x|", 255), "0xff|");
    EXPECT_EQ(run("%#6x|", 255), "    0xff|") << "the prefix lies outside the width";
    EXPECT_EQ(run("%#06x|", 255), "0x0000ff|");
    EXPECT_EQ(run("%-#6x|", 255), "0xff    |");
    EXPECT_EQ(run("%#X", 0), "0X0");
    EXPECT_EQ(run("%#p", 0x12), "0X0000000000000012");
    EXPECT_EQ(run("%#d,", 5), "5") << "a prefix counted but not written leaves a zero";
    EXPECT_EQ(os::FormatSlots("%d", nullptr, 0), "0") << "a missing argument reads as zero";
}

} // namespace
