#pragma once
// An exception that a window procedure raises must not unwind through the system's frames
// between DispatchMessage, SendMessage or CreateWindowEx and the procedure. It is parked
// here instead, and raised again by the program's own code once the system has returned.
// Only the first one is kept: what fails after it is most likely its consequence.

#include <windows.h>

#include <exception>
#include <utility>

namespace win {

class TParkedFailure {
public:
    // Parks the exception being handled, unless one is parked already.
    void Park() noexcept {
        if (!failure_)
            failure_ = std::current_exception();
    }

    // Runs a window procedure's BODY; what it raises is parked, and ONFAILURE returned.
    template <typename F>
    LRESULT Guard(F&& body, LRESULT onFailure) noexcept {
        try {
            return std::forward<F>(body)();
        } catch (...) {
            Park();
            return onFailure;
        }
    }

    explicit operator bool() const noexcept { return static_cast<bool>(failure_); }

    // Raises the parked exception, if any; nothing is parked afterwards.
    void Rethrow() {
        if (failure_)
            std::rethrow_exception(std::exchange(failure_, nullptr));
    }

private:
    std::exception_ptr failure_;
};

} // namespace win
