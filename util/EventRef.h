#pragma once
// A handler: a procedure and the context pointer passed to it as its first argument.

namespace detail {
// Every handler is kept under this one type; the call site names the real signature.
using TAnyProc = void (*)();
} // namespace detail

struct TEventRef {
    detail::TAnyProc Code = nullptr; // absent: there is no handler
    void* Data = nullptr;

    explicit operator bool() const { return Code != nullptr; }

    // The procedure under its real type, e.g. Proc<void(void*, TWinObj*)>().
    template <typename Signature>
    Signature* Proc() const {
        return reinterpret_cast<Signature*>(Code);
    }
};

template <typename R, typename... Args>
TEventRef MakeEventRef(void* data, R (*code)(void*, Args...)) {
    return TEventRef{reinterpret_cast<detail::TAnyProc>(code), data};
}
