#pragma once
// One small move-only owner per kind of Win32 handle: the handle is closed exactly once,
// by whoever holds it last.

#include <windows.h>

#include <utility>

namespace win {

template <typename Traits>
class TUnique {
public:
    using Handle = typename Traits::Handle;

    TUnique() = default;
    explicit TUnique(Handle h) : h_(h) {}
    TUnique(const TUnique&) = delete;
    TUnique& operator=(const TUnique&) = delete;
    TUnique(TUnique&& other) noexcept : h_(other.release()) {}
    TUnique& operator=(TUnique&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~TUnique() { reset(); }

    explicit operator bool() const { return h_ != Traits::Invalid(); }
    Handle get() const { return h_; }
    // For APIs that return a handle through a pointer; the old one is closed first.
    Handle* put() {
        reset();
        return &h_;
    }
    Handle release() { return std::exchange(h_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) {
        Handle old = std::exchange(h_, h);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

private:
    Handle h_ = Traits::Invalid();
};

struct TFileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct TKernelTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct TRegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct TGdiTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};

struct TWindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};

// CreateFileA's handles: INVALID_HANDLE_VALUE means none.
using TFile = TUnique<TFileTraits>;
// Processes, threads, events: null means none.
using TKernelHandle = TUnique<TKernelTraits>;
using TRegKey = TUnique<TRegKeyTraits>;
using TGdiObject = TUnique<TGdiTraits>;
using TWindow = TUnique<TWindowTraits>;

} // namespace win
