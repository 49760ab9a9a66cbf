#include "errors/ProcessorFault.h"
#include "os/WinHandle.h"

#include <cstdlib>
#include <exception>

namespace {

// Nested installs are counted; only the outermost sets and clears the hooks.
int InstallCount = 0;
LPTOP_LEVEL_EXCEPTION_FILTER PreviousFilter = nullptr;
std::terminate_handler PreviousTerminate = nullptr;

// Stack the exception dispatch keeps free after a stack overflow, for the filter below.
constexpr ULONG FaultStackReserve = 64 * 1024;
constexpr SIZE_T DisplayStackSize = 1024 * 1024;

bool IsCxxThrow(const EXCEPTION_RECORD& record) {
    // The compiler's own exceptions: 'GCC' with the user-defined bit.
    return (record.ExceptionCode & 0x20FFFFFF) == 0x20474343;
}

DWORD WINAPI ShowFault(void* param) {
    const auto* record = static_cast<const EXCEPTION_RECORD*>(param);
    ShowLastResort(ReportOfException(ProcessorException(*record)));
    return 0;
}

LONG WINAPI LastResortFilter(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    // A throw that nothing catches must return to the runtime, which then calls terminate.
    if (IsCxxThrow(record) && (record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) == 0)
        return EXCEPTION_CONTINUE_EXECUTION;
    const EXCEPTION_RECORD& fault = FaultBehind(record);
    // After a stack overflow too little stack is left for the text and a message box, so the
    // box is shown from a fresh thread while this one waits.
    win::TKernelHandle display(CreateThread(nullptr, DisplayStackSize, &ShowFault,
                                            const_cast<EXCEPTION_RECORD*>(&fault), 0, nullptr));
    if (display)
        WaitForSingleObject(display.get(), INFINITE);
    ExitProcess(1);
}

[[noreturn]] void LastResortTerminate() {
    if (std::current_exception()) {
        try {
            throw;
        } catch (...) {
            ShowLastResort(DescribeCurrentException());
        }
        ExitProcess(1);
    }
    if (PreviousTerminate)
        PreviousTerminate();
    std::abort();
}

} // namespace

void InstallErrorHandling() {
    if (InstallCount++ > 0)
        return;
    ULONG reserve = FaultStackReserve;
    SetThreadStackGuarantee(&reserve);
    InstallFaultMarker();
    PreviousFilter = SetUnhandledExceptionFilter(&LastResortFilter);
    PreviousTerminate = std::set_terminate(&LastResortTerminate);
}

void RemoveErrorHandling() {
    if (InstallCount == 0 || --InstallCount > 0)
        return;
    SetUnhandledExceptionFilter(PreviousFilter);
    RemoveFaultMarker();
    std::set_terminate(PreviousTerminate);
    PreviousFilter = nullptr;
    PreviousTerminate = nullptr;
}

int RunWithErrorHandling(int (*body)()) {
    InstallErrorHandling();
    int result = 1;
    try {
        result = body();
    } catch (...) {
        ShowLastResort(DescribeCurrentException());
    }
    RemoveErrorHandling();
    return result;
}
