#pragma once
// The system's exception with an error code, and the assertion report.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "errors/RaisePlace.h"
#include "util/EventRef.h"
#include "util/TextUtils.h"

// Reports an impossible state of unit SOURCENAME at LINE: raises Exception with code 25 and
// the text "<message> (<source>, line <line>)", "Assertion failed" standing for no MESSAGE.
[[noreturn]] void AssertFailure(const char* message, const char* sourceName, int line);

// The kinds of error carried in Exception::ErrorCode.
enum TErrorCode : std::uint8_t {
    ecSystem = 0, // raised by the system itself with its own message
    ecOutOfMemory = 2,
    ecInOutError = 3,
    ecExternal = 4,
    ecDivByZero = 6,
    ecRangeError = 7,
    ecIntOverflow = 8,
    ecInvalidOp = 11,
    ecZeroDivide = 12,
    ecOverflow = 13,
    ecUnderflow = 14,
    ecInvalidPointer = 15,
    ecInvalidCast = 16,
    ecAccessViolation = 18,
    ecPrivilege = 19,
    ecStackOverflow = 20,
    ecControlC = 21,
    ecVariantError = 22,
    ecAssertionFailed = 25,
    ecIntfCastError = 27,
    ecSafeCallError = 32,
};

class Exception : public std::exception {
public:
    Exception(std::uint8_t code, std::string message);
    Exception(std::uint8_t code, const char* fmt, std::initializer_list<TFormatArg> args);
    // A copy is another object: the on-destroy handler stays with the one it was given to.
    Exception(const Exception& other);
    Exception(Exception&& other) noexcept;
    Exception& operator=(const Exception&) = delete;
    ~Exception() override;

    const char* what() const noexcept override { return Message.c_str(); }

    std::uint8_t ErrorCode;
    std::int32_t ErrorNumber = 0; // the I/O result code for I/O errors
    std::string Message;
    void* ExceptionRecord = nullptr; // the platform's EXCEPTION_RECORD of an external exception
    // Called as Code(Data, this) while the exception is destroyed.
    TEventRef OnDestroy;
    // Where the exception was raised: the code that constructed it, or the faulting
    // instruction of a processor exception. The last-resort box names its module.
    const void* RaiseAddress = nullptr;
};

using TExceptionDestroyProc = void(void* data, Exception* e);

// The exception of run-time error N (1 to 24 from the table, above 24 an I/O error whose
// result code is ioResult).
Exception RunErrorException(int n, std::int32_t ioResult = 0);

// The text of an I/O result code.
std::string InOutErrorText(std::int32_t ioResult);

// The run-time error number (3 to 14, 22 for anything else) of a processor exception code.
int RunErrorOfExceptionCode(std::uint32_t exceptionCode);

// The run-time error number that a standard library failure stands for; 0 when it is none.
int RunErrorOfStdFailure(const std::exception& failure);

// What the last-resort report says about an exception that nobody handled.
struct TUnhandledReport {
    std::string ClassName;         // the C++ type name, without mangling
    std::string Message;           // the exception's message; empty when it carries none
    const void* Address = nullptr; // where it was raised; none when unknown
};

TUnhandledReport ReportOfException(const Exception& e);

// The report of the exception being handled; call it only inside a catch block. Standard
// library failures that stand for a run-time error are reported as that error's Exception.
TUnhandledReport DescribeCurrentException();

// Runs the program's body with the process-wide error handling installed: an exception or
// processor fault that escapes it is shown in the last-resort box and the process ends with
// exit code 1. Returns the body's result.
int RunWithErrorHandling(int (*body)());

#ifdef _WIN32
// The platform's text of a Win32 error code, without trailing blanks and full stops; the
// empty text for a code the platform has no text for.
std::string SysErrorText(std::uint32_t code);

// The text of the last-resort box; the module and address are worked out from ADDRESS.
std::string LastResortText(const TUnhandledReport& report);

// Shows the last-resort box. It has no owner, so it appears when no window exists.
void ShowLastResort(const TUnhandledReport& report);

// Sets the process-wide hooks; only the first of nested calls does anything, and only the
// last matching RemoveErrorHandling clears them.
void InstallErrorHandling();
void RemoveErrorHandling();
#endif
