#include "errors/err.h"

#include <utility>

// The constructors are out of line so that their return address lies in the raising code.

Exception::Exception(std::uint8_t code, std::string message)
    : ErrorCode(code), Message(std::move(message)), RaiseAddress(__builtin_return_address(0)) {}

Exception::Exception(std::uint8_t code, const char* fmt, std::initializer_list<TFormatArg> args)
    : ErrorCode(code), Message(FormatText(fmt, args)), RaiseAddress(__builtin_return_address(0)) {}

Exception::Exception(const Exception& other)
    : std::exception(other), ErrorCode(other.ErrorCode), ErrorNumber(other.ErrorNumber),
      Message(other.Message), ExceptionRecord(other.ExceptionRecord),
      RaiseAddress(other.RaiseAddress) {}

Exception::Exception(Exception&& other) noexcept
    : std::exception(other), ErrorCode(other.ErrorCode), ErrorNumber(other.ErrorNumber),
      Message(std::move(other.Message)), ExceptionRecord(other.ExceptionRecord),
      OnDestroy(std::exchange(other.OnDestroy, TEventRef{})), RaiseAddress(other.RaiseAddress) {}

Exception::~Exception() {
    if (OnDestroy)
        OnDestroy.Proc<TExceptionDestroyProc>()(OnDestroy.Data, this);
}
