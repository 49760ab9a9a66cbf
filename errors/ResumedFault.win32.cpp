// Faults that a handler resumes without curing them.
//
// "Continue execution" is the right answer to a fault only from a handler that has removed
// its cause. Otherwise a real fault faults again for ever (an x87 stack fault spins at full
// speed) and a raised one returns to its raiser as if nothing had happened. The C runtime's
// start-up code, which every exception passes before the last-resort filter, answers so for
// array bounds, integer overflow, x87 stack check, misalignment and invalid handles.
//
// So every fault is marked non-continuable the moment it is raised. A handler that deals with
// it by unwinding still can; a resumption instead makes the system raise
// STATUS_NONCONTINUABLE_EXCEPTION, which nobody resumes, and which the last-resort filter
// reports as the fault behind it.
#include "errors/ProcessorFault.h"

namespace {

void* Marker = nullptr;
// The last fault marked. Wine raises the non-continuable status without a link to it.
EXCEPTION_RECORD LastMarked{};

bool IsFault(DWORD code) {
    // System codes of warning and error severity; those of programs, the compiler's own
    // throws among them, carry the customer bit. A guard page fires once and may be resumed.
    return (code & 0x80000000u) != 0 && (code & 0x20000000u) == 0 &&
           code != STATUS_NONCONTINUABLE_EXCEPTION && code != STATUS_GUARD_PAGE_VIOLATION;
}

LONG WINAPI MarkFault(EXCEPTION_POINTERS* pointers) {
    EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (IsFault(record.ExceptionCode)) {
        record.ExceptionFlags |= EXCEPTION_NONCONTINUABLE;
        LastMarked = record;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

void InstallFaultMarker() {
    if (!Marker)
        Marker = AddVectoredExceptionHandler(1, &MarkFault);
}

void RemoveFaultMarker() {
    if (Marker)
        RemoveVectoredExceptionHandler(Marker);
    Marker = nullptr;
}

const EXCEPTION_RECORD& FaultBehind(const EXCEPTION_RECORD& record) {
    if (record.ExceptionCode != STATUS_NONCONTINUABLE_EXCEPTION)
        return record;
    if (record.ExceptionRecord) // Windows links the record it could not resume
        return *record.ExceptionRecord;
    return LastMarked.ExceptionCode != 0 ? LastMarked : record;
}
