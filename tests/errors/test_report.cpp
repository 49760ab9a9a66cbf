// What the last-resort report makes of the exceptions that can reach it.
#include "errors/err.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <typeinfo>

namespace {

class EStationLost : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <typename Raise>
TUnhandledReport ReportOf(Raise raise) {
    try {
        raise();
    } catch (...) {
        return DescribeCurrentException();
    }
    ADD_FAILURE() << "nothing was raised";
    return {};
}

TEST(UnhandledReportTest, MessagesOfEveryKindAreKept) {
    TUnhandledReport own = ReportOf([] { throw Exception(0, "Нет временной папки"); });
    EXPECT_EQ(own.ClassName, "Exception");
    EXPECT_EQ(own.Message, "Нет временной папки");
    EXPECT_NE(own.Address, nullptr);

    TUnhandledReport derived = ReportOf([] { throw EStationLost("Станция Beta пропала"); });
    EXPECT_EQ(derived.ClassName, "(anonymous namespace)::EStationLost");
    EXPECT_EQ(derived.Message, "Станция Beta пропала");

    TUnhandledReport plain = ReportOf([] { throw std::runtime_error("Ошибка записи файла"); });
    EXPECT_EQ(plain.ClassName, "std::runtime_error");
    EXPECT_EQ(plain.Message, "Ошибка записи файла");

    TUnhandledReport foreign = ReportOf([] { throw 42; });
    EXPECT_EQ(foreign.ClassName, "int");
    EXPECT_EQ(foreign.Message, "");
}

TEST(UnhandledReportTest, StandardFailuresBecomeRunTimeErrors) {
    TUnhandledReport memory = ReportOf([] { throw std::bad_alloc(); });
    EXPECT_EQ(memory.ClassName, "Exception");
    EXPECT_EQ(memory.Message, "Out of memory");

    TUnhandledReport range = ReportOf([] { throw std::out_of_range("vector::at"); });
    EXPECT_EQ(range.Message, "Range check error");

    TUnhandledReport cast = ReportOf([] { throw std::bad_cast(); });
    EXPECT_EQ(cast.Message, "Invalid class typecast");

    TUnhandledReport call = ReportOf([] { std::function<void()>()(); });
    EXPECT_EQ(call.Message, "Invalid pointer operation");

    // Logic errors without a run-time error of their own keep their text.
    TUnhandledReport logic = ReportOf([] { throw std::invalid_argument("Плохой параметр"); });
    EXPECT_EQ(logic.ClassName, "std::invalid_argument");
    EXPECT_EQ(logic.Message, "Плохой параметр");
}

TEST(FaultMapTest, ExceptionCodesToRunTimeErrors) {
    struct TCase {
        std::uint32_t Code;
        int RunError;
    } cases[] = {
        {0xC0000094, 3},  {0xC000008C, 4},  {0xC0000095, 5},  {0xC000008F, 6},  {0xC0000090, 6},
        {0xC0000092, 6},  {0xC000008E, 7},  {0xC0000091, 8},  {0xC000008D, 9},  {0xC0000093, 9},
        {0xC0000005, 11}, {0xC0000096, 12}, {0xC00000FD, 14}, {0xC00000FE, 22}, {0x80000003, 22},
        {0xC0000194, 22}, {0x40000015, 22}, {0xC0000017, 22},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(RunErrorOfExceptionCode(c.Code), c.RunError) << std::hex << c.Code;
}

} // namespace
