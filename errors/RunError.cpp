#include "errors/ErrIds.h"
#include "errors/ErrTexts.h"
#include "errors/err.h"

#include <iterator>

namespace {

struct TRunErrorRow {
    std::uint8_t Code;
    unsigned TextId;
};

// Run-time errors 1 to 24, in order.
constexpr TRunErrorRow RunErrors[] = {
    {ecOutOfMemory, IDS_OUT_OF_MEMORY},
    {ecInvalidPointer, IDS_INVALID_POINTER},
    {ecDivByZero, IDS_DIV_BY_ZERO},
    {ecRangeError, IDS_RANGE_ERROR},
    {ecIntOverflow, IDS_INT_OVERFLOW},
    {ecInvalidOp, IDS_INVALID_OP},
    {ecZeroDivide, IDS_DIV_BY_ZERO},
    {ecOverflow, IDS_OVERFLOW},
    {ecUnderflow, IDS_UNDERFLOW},
    {ecInvalidCast, IDS_INVALID_CAST},
    {ecAccessViolation, IDS_ACCESS_VIOLATION},
    {ecPrivilege, IDS_PRIVILEGE},
    {ecControlC, IDS_CONTROL_C},
    {ecStackOverflow, IDS_STACK_OVERFLOW},
    {ecVariantError, IDS_VARIANT_ERROR},
    {ecVariantError, IDS_VARIANT_ERROR},
    {ecVariantError, IDS_VARIANT_ERROR},
    {ecVariantError, IDS_VARIANT_ERROR},
    {ecVariantError, IDS_VARIANT_ERROR},
    {ecVariantError, IDS_VARIANT_ERROR},
    {ecAssertionFailed, IDS_ASSERTION_FAILED},
    {ecExternal, IDS_EXTERNAL_EXCEPTION},
    {ecIntfCastError, IDS_INTF_CAST_ERROR},
    {ecSafeCallError, IDS_SAFECALL_ERROR},
};

struct TInOutRow {
    std::int32_t Result;
    unsigned TextId;
};

constexpr TInOutRow InOutErrors[] = {
    {2, IDS_FILE_NOT_FOUND}, {3, IDS_INVALID_FILENAME}, {4, IDS_TOO_MANY_OPEN_FILES},
    {5, IDS_ACCESS_DENIED},  {100, IDS_END_OF_FILE},    {101, IDS_DISK_FULL},
};

} // namespace

std::string InOutErrorText(std::int32_t ioResult) {
    for (const TInOutRow& row : InOutErrors)
        if (row.Result == ioResult)
            return ErrorText(row.TextId);
    return FormatText(ErrorText(IDS_IN_OUT_ERROR).c_str(), {ioResult});
}

Exception RunErrorException(int n, std::int32_t ioResult) {
    if (n >= 1 && n <= static_cast<int>(std::size(RunErrors))) {
        const TRunErrorRow& row = RunErrors[n - 1];
        return Exception(row.Code, ErrorText(row.TextId));
    }
    Exception e(ecInOutError, InOutErrorText(ioResult));
    e.ErrorNumber = ioResult;
    return e;
}
