#include "errors/err.h"

#include <cxxabi.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <typeinfo>

// Standard library failures that mean the same as a run-time error are reported as it:
//   std::bad_alloc (and std::bad_array_new_length)  1  Out of memory
//   std::bad_function_call (call through nothing)    2  Invalid pointer operation
//   std::out_of_range                                 4  Range check error
//   std::overflow_error                               5  Integer overflow
//   std::underflow_error                              9  Floating point underflow
//   std::bad_cast, std::bad_typeid                   10  Invalid class typecast
// Every other type, std::runtime_error and EInStm among them, keeps its own name and message;
// EInStm also keeps the place where it was raised.
int RunErrorOfStdFailure(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure))
        return 1;
    if (dynamic_cast<const std::bad_function_call*>(&failure))
        return 2;
    if (dynamic_cast<const std::out_of_range*>(&failure))
        return 4;
    if (dynamic_cast<const std::overflow_error*>(&failure))
        return 5;
    if (dynamic_cast<const std::underflow_error*>(&failure))
        return 9;
    if (dynamic_cast<const std::bad_cast*>(&failure) ||
        dynamic_cast<const std::bad_typeid*>(&failure))
        return 10;
    return 0;
}

namespace {

std::string Demangled(const char* name) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> plain(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), &std::free);
    return status == 0 && plain ? std::string(plain.get()) : std::string(name);
}

std::string CurrentTypeName() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    return type ? Demangled(type->name()) : std::string("?");
}

} // namespace

TUnhandledReport ReportOfException(const Exception& e) {
    return TUnhandledReport{Demangled(typeid(e).name()), e.Message, e.RaiseAddress};
}

TUnhandledReport DescribeCurrentException() {
    try {
        throw;
    } catch (const Exception& e) {
        return ReportOfException(e);
    } catch (const std::exception& e) {
        if (int n = RunErrorOfStdFailure(e)) {
            TUnhandledReport report = ReportOfException(RunErrorException(n));
            report.Address = nullptr; // the library does not say where it failed
            return report;
        }
        const auto* place = dynamic_cast<const TRaisePlace*>(&e);
        return TUnhandledReport{CurrentTypeName(), e.what(),
                                place ? place->RaiseAddress() : nullptr};
    } catch (...) {
        return TUnhandledReport{CurrentTypeName(), {}, nullptr};
    }
}
