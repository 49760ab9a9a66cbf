#pragma once
// The count of message boxes open in the process: above 0 exactly while one is open. Other
// threads may read it.

#include <cstdint>

void ProgressLock();
void ProgressUnlock();
std::int32_t ProgressCount();

// Holds the lock for its lifetime.
class TQProgressHold {
public:
    TQProgressHold() { ProgressLock(); }
    TQProgressHold(const TQProgressHold&) = delete;
    TQProgressHold& operator=(const TQProgressHold&) = delete;
    ~TQProgressHold() { ProgressUnlock(); }
};
