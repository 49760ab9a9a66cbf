#include "errors/err.h"

namespace {

struct TFaultRow {
    int RunError;
    std::uint8_t LowByte;
};

// Searched in order; the first match wins.
constexpr TFaultRow FaultRows[] = {
    {3, 0x94},  // integer division by zero
    {4, 0x8C},  // array bounds exceeded
    {5, 0x95},  // integer overflow
    {6, 0x8F},  // floating-point inexact result
    {6, 0x90},  // floating-point invalid operation
    {6, 0x92},  // floating-point stack check
    {7, 0x8E},  // floating-point division by zero
    {8, 0x91},  // floating-point overflow
    {9, 0x8D},  // floating-point denormal operand
    {9, 0x93},  // floating-point underflow
    {11, 0x05}, // access violation
    {12, 0x96}, // privileged instruction
    {14, 0xFD}, // stack overflow
};

constexpr int OtherException = 22;

} // namespace

int RunErrorOfExceptionCode(std::uint32_t exceptionCode) {
    // Unsigned arithmetic: codes below 0xC0000000 wrap far above 0xFD.
    std::uint32_t offset = exceptionCode - 0xC0000000u;
    if (offset > 0xFD)
        return OtherException;
    for (const TFaultRow& row : FaultRows)
        if (row.LowByte == (offset & 0xFF))
            return row.RunError;
    return OtherException;
}
