// A program that fails in the way its argument names, under the system's error handling.
#include "errors/err.h"
#include "textstream/QStm.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

const char* Fault = "";

void WriteToZero() {
    volatile int* p = nullptr;
    *p = 1;
}

int DivideByZero() {
    volatile int a = 1;
    volatile int b = 0;
    return a / b; // volatile: the division must happen at run time
}

// Deep enough for any stack; the limit only keeps the compiler from calling it endless.
volatile int RecursionLimit = 1 << 30;

int Recurse(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    if (depth >= RecursionLimit)
        return 0;
    return Recurse(depth + 1) + frame[0];
}

// Invalid operations unmasked, the ninth load overflows the eight registers of the x87 stack;
// the fault is delivered at the next waiting instruction.
void X87StackFault() {
    unsigned short control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    control &= ~1u;
    asm volatile("fldcw %0" : : "m"(control));
    asm volatile("fld1\n fld1\n fld1\n fld1\n fld1\n fld1\n fld1\n fld1\n fld1\n fwait" ::
                     : "memory");
}

void ThrowInStm() {
    throw EInStm("Ожидается имя станции", nullptr);
}

// An exception that leaves a noexcept function reaches std::terminate.
void (*volatile Thrower)() = &ThrowInStm;
void CallNoexcept() noexcept {
    Thrower();
}

int Body() {
    if (!std::strcmp(Fault, "write0"))
        WriteToZero();
    else if (!std::strcmp(Fault, "div0"))
        return DivideByZero();
    else if (!std::strcmp(Fault, "stack"))
        return Recurse(0);
    else if (!std::strcmp(Fault, "assert"))
        AssertFailure(nullptr, "QStm", 4321);
    else if (!std::strcmp(Fault, "instm"))
        throw EInStm("Неверный символ", nullptr);
    else if (!std::strcmp(Fault, "russian"))
        throw Exception(0, "Не удалось определить временную папку");
    else if (!std::strcmp(Fault, "breakpoint"))
        DebugBreak();
    else if (!std::strcmp(Fault, "badalloc"))
        throw std::bad_alloc();
    else if (!std::strcmp(Fault, "runtime"))
        throw std::runtime_error("Ошибка чтения файла C:\\нет.txt");
    else if (!std::strcmp(Fault, "terminate"))
        CallNoexcept();
    else if (!std::strcmp(Fault, "x87"))
        X87StackFault();
    else if (!std::strncmp(Fault, "raise:", 6)) // raise:<hexadecimal exception code>
        RaiseException(std::strtoul(Fault + 6, nullptr, 16), 0, 0, nullptr);
    return 0; // a fault that returns here was resumed: no box, exit code 0
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1)
        Fault = argv[1];
    return RunWithErrorHandling(&Body);
}
