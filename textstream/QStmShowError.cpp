#include "textstream/QStm.h"

#include <utility>

namespace {

TQShowErrorHook ShowErrorHook = nullptr;

} // namespace

TQShowErrorHook SetShowErrorHook(TQShowErrorHook hook) {
    return std::exchange(ShowErrorHook, hook);
}

void TQInStm::ShowError(const std::string& msg, TQPos pos) {
    if (ShowErrorHook)
        ShowErrorHook(*this, msg, pos);
}
