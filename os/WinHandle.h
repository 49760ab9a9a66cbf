#pragma once
// One small move-only owner per kind of Win32 handle: the handle is closed exactly once,
// by whoever holds it last. Closing keeps GetLastError, so that an owner released while an
// error is being reported does not change the error.

#include <windows.h>

#include <objbase.h>

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
        if (old != Traits::Invalid()) {
            const DWORD error = GetLastError();
            Traits::Close(old);
            SetLastError(error);
        }
    }

private:
    Handle h_ = Traits::Invalid();
};

// Handles for which null means none, released by CLOSEPROC.
template <typename H, auto CloseProc>
struct TNullTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseProc(h); }
};

// Handles for which INVALID_HANDLE_VALUE means none, released by CLOSEPROC.
template <auto CloseProc>
struct TInvalidTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseProc(h); }
};

// CreateFileA's handles.
using TFile = TUnique<TInvalidTraits<&CloseHandle>>;
// Processes, threads, events.
using TKernelHandle = TUnique<TNullTraits<HANDLE, &CloseHandle>>;
using TRegKey = TUnique<TNullTraits<HKEY, &RegCloseKey>>;
// GDI objects, each under its own handle type.
using TGdiObject = TUnique<TNullTraits<HGDIOBJ, &DeleteObject>>;
using TFont = TUnique<TNullTraits<HFONT, &DeleteObject>>;
using TBrush = TUnique<TNullTraits<HBRUSH, &DeleteObject>>;
using TBitmap = TUnique<TNullTraits<HBITMAP, &DeleteObject>>;
using TWindow = TUnique<TNullTraits<HWND, &DestroyWindow>>;
// FindFirstFileA's listings.
using TFindHandle = TUnique<TInvalidTraits<&FindClose>>;
// LoadLibraryA's modules.
using TModule = TUnique<TNullTraits<HMODULE, &FreeLibrary>>;
// CreateCompatibleDC's DCs.
using TMemoryDC = TUnique<TNullTraits<HDC, &DeleteDC>>;
// SetWindowsHookExA's hooks, removed by their owner.
using THook = TUnique<TNullTraits<HHOOK, &UnhookWindowsHookEx>>;
// CreateAcceleratorTableA's tables.
using TAccelerators = TUnique<TNullTraits<HACCEL, &DestroyAcceleratorTable>>;
// GlobalAlloc's blocks; a block given to the clipboard is released from its owner.
using TGlobal = TUnique<TNullTraits<HGLOBAL, &GlobalFree>>;
// COM interfaces, one reference each.
template <typename I>
void ReleaseInterface(I* object) {
    object->Release();
}
template <typename I>
using TCom = TUnique<TNullTraits<I*, &ReleaseInterface<I>>>;

// The two handles CreateProcessA returns, each closed by its own owner.
struct TProcessInfo {
    TKernelHandle Process;
    TKernelHandle Thread;
    DWORD ProcessId = 0;
    DWORD ThreadId = 0;

    TProcessInfo() = default;
    explicit TProcessInfo(const PROCESS_INFORMATION& pi)
        : Process(pi.hProcess), Thread(pi.hThread), ProcessId(pi.dwProcessId),
          ThreadId(pi.dwThreadId) {}
};

// A window's DC from GetDC, or of the whole window with its frame from GetWindowDC, released
// with ReleaseDC.
class TWindowDC {
public:
    enum TWholeWindow { WholeWindow };
    explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    TWindowDC(HWND window, TWholeWindow) : window_(window), dc_(GetWindowDC(window)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The DC of one WM_PAINT, from BeginPaint to EndPaint.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    ~TPaintDC() { EndPaint(window_, &ps_); }
    HDC get() const { return dc_; }
    const PAINTSTRUCT& Paint() const { return ps_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A global block's memory, locked from GlobalLock to GlobalUnlock.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    ~TGlobalLock() {
        if (data_)
            GlobalUnlock(block_);
    }
    void* get() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    HGLOBAL block_;
    void* data_;
};

// The clipboard, from OpenClipboard to CloseClipboard.
class TClipboard {
public:
    explicit TClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;
    ~TClipboard() {
        if (open_)
            CloseClipboard();
    }
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// COM on the calling thread, from CoInitializeEx to CoUninitialize.
class TComApartment {
public:
    TComApartment() : ready_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;
    ~TComApartment() {
        if (ready_)
            CoUninitialize();
    }
    explicit operator bool() const { return ready_; }

private:
    bool ready_;
};

// Selects an object into a DC and puts back the one it replaced.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() {
        if (old_ && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace win
