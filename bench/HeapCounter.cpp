// The counting allocator: every block carries its size in a header in front of it.
#include "HeapCounter.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t HeapNow = 0;
std::size_t HeapPeak = 0;

// Room before every block for its size, kept at the strictest fundamental alignment.
constexpr std::size_t HeapHeader = 16;

void* CountedAlloc(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + HeapHeader));
    if (block == nullptr)
        return nullptr;
    *reinterpret_cast<std::size_t*>(block) = size;
    HeapNow += size;
    if (HeapNow > HeapPeak)
        HeapPeak = HeapNow;
    return block + HeapHeader;
}

void CountedFree(void* p) {
    if (p == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(p) - HeapHeader;
    HeapNow -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

} // namespace

namespace heap {

std::size_t Now() {
    return HeapNow;
}

std::size_t Peak() {
    return HeapPeak;
}

void ResetPeak() {
    HeapPeak = HeapNow;
}

} // namespace heap

void* operator new(std::size_t size) {
    if (void* p = CountedAlloc(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
    CountedFree(p);
}
void operator delete[](void* p) noexcept {
    CountedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    CountedFree(p);
}
