#pragma once
// Heap use of the whole program, counted by replacement operators new and delete. They live
// in a translation unit of their own, so that the compiler never sees a block's allocation
// and its release together and mistakes the counting header for a mismatch.

#include <cstddef>

namespace heap {

// Bytes the program holds now.
std::size_t Now();
// The most it held at once since the last ResetPeak.
std::size_t Peak();
// Starts a new peak from what is held now.
void ResetPeak();

} // namespace heap
