#include "msgbox/QProgressLock.h"

#include <atomic>

namespace {

std::atomic<std::int32_t> OpenBoxes{0};

} // namespace

void ProgressLock() {
    ++OpenBoxes;
}

void ProgressUnlock() {
    --OpenBoxes;
}

std::int32_t ProgressCount() {
    return OpenBoxes.load();
}
