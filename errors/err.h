#pragma once
// The system's exception with an error code, and the assertion report.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "toolkit/EventRef.h"
#include "toolkit/TextUtils.h"

// Declared here so that the portable core can report impossible states; the rest of the
// error subsystem is declared further down as it is built.
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
