#include "toolkit/MainWindow.h"

#include <optional>

namespace {

std::optional<TMainWindow>& Slot() {
    static std::optional<TMainWindow> slot;
    return slot;
}

} // namespace

const TMainWindow* MainWindow() {
    return Slot() ? &*Slot() : nullptr;
}

void SetMainWindow(TMainWindow form) {
    Slot() = std::move(form);
}

void ClearMainWindow() {
    Slot().reset();
}
