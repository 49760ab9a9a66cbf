#include "errors/err.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct TDestroyLog {
    int Calls = 0;
    Exception* Last = nullptr;
};

void NoteDestroy(void* data, Exception* e) {
    auto* log = static_cast<TDestroyLog*>(data);
    ++log->Calls;
    log->Last = e;
}

TEST(ExceptionTest, BothConstructionFormsLeaveNumberAndRecordEmpty) {
    Exception plain(0, "Не удалось определить временную папку");
    EXPECT_EQ(plain.ErrorCode, 0);
    EXPECT_STREQ(plain.what(), "Не удалось определить временную папку");
    EXPECT_EQ(plain.ErrorNumber, 0);
    EXPECT_EQ(plain.ExceptionRecord, nullptr);
    EXPECT_FALSE(plain.OnDestroy);

    Exception formatted(4, "External exception %x", {0xC0000096u});
    EXPECT_EQ(formatted.ErrorCode, 4);
    EXPECT_EQ(formatted.Message, "External exception c0000096");
    EXPECT_EQ(formatted.ErrorNumber, 0);
    EXPECT_EQ(formatted.ExceptionRecord, nullptr);
    EXPECT_NE(formatted.RaiseAddress, nullptr);
}

TEST(ExceptionTest, OnDestroyRunsOnceForTheObjectThatOwnsIt) {
    TDestroyLog log;
    {
        Exception first(0, "x");
        first.OnDestroy = MakeEventRef(&log, &NoteDestroy);
        Exception copy(first);
        EXPECT_FALSE(copy.OnDestroy) << "a copy must not call the handler a second time";
        Exception moved(std::move(first));
        EXPECT_FALSE(first.OnDestroy) << "the moved-from object still holds the handler";
        {
            Exception scratch(std::move(moved));
            EXPECT_EQ(log.Calls, 0) << "a move called the handler";
        }
        EXPECT_EQ(log.Calls, 1);
    }
    EXPECT_EQ(log.Calls, 1) << "destroying emptied objects called the handler again";
}

TEST(ExceptionTest, OnDestroyGetsTheExceptionBeingDestroyed) {
    TDestroyLog log;
    Exception* address = nullptr;
    {
        Exception e(0, "x");
        e.OnDestroy = MakeEventRef(&log, &NoteDestroy);
        address = &e;
    }
    EXPECT_EQ(log.Calls, 1);
    EXPECT_EQ(log.Last, address);
}

TEST(AssertFailureTest, ReportsTextSourceAndLineWithCode25) {
    try {
        AssertFailure(nullptr, "QStm", 1234);
        FAIL() << "AssertFailure returned";
    } catch (const Exception& e) {
        EXPECT_EQ(e.ErrorCode, 25);
        EXPECT_STREQ(e.what(), "Assertion failed (QStm, line 1234)");
        EXPECT_NE(e.RaiseAddress, nullptr);
    }
    try {
        AssertFailure("Нет строки", "QMsgBox", 7);
        FAIL() << "AssertFailure returned";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Нет строки (QMsgBox, line 7)");
    }
}

TEST(RunErrorTest, TableRowsGiveTheirCodesAndTexts) {
    struct TCase {
        int N;
        int Code;
        const char* Text;
    } cases[] = {
        {1, 2, "Out of memory"},
        {3, 6, "Division by zero"},
        {7, 12, "Division by zero"},
        {10, 16, "Invalid class typecast"},
        {14, 20, "Stack overflow"},
        {15, 22, "EVariant"},
        {20, 22, "EVariant"},
        {21, 25, "Assertion failed"},
        {24, 32, "Exception in safecall method"},
    };
    for (const TCase& c : cases) {
        Exception e = RunErrorException(c.N);
        EXPECT_EQ(e.ErrorCode, c.Code) << "run-time error " << c.N;
        EXPECT_EQ(e.Message, c.Text) << "run-time error " << c.N;
        EXPECT_EQ(e.ErrorNumber, 0) << "run-time error " << c.N;
    }
}

TEST(RunErrorTest, NumbersAbove24AreInOutErrors) {
    Exception denied = RunErrorException(25, 5);
    EXPECT_EQ(denied.ErrorCode, 3);
    EXPECT_EQ(denied.ErrorNumber, 5);
    EXPECT_EQ(denied.Message, "File access denied");

    Exception other = RunErrorException(100, 32);
    EXPECT_EQ(other.ErrorCode, 3);
    EXPECT_EQ(other.ErrorNumber, 32);
    EXPECT_EQ(other.Message, "I/O error 32");

    EXPECT_EQ(InOutErrorText(100), "End of file");
    EXPECT_EQ(InOutErrorText(101), "Disk full");
    EXPECT_EQ(InOutErrorText(-1), "I/O error -1");
}

} // namespace
