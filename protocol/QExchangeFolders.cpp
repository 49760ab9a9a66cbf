#include "protocol/QExchangeFolders.h"

#include "protocol/QWindowNames.h"
#include "util/TextUtils.h"

TExchangeFolders ExchangeFolders(const std::string& tempDir, std::uint32_t x,
                                 const std::string& name) {
    TExchangeFolders folders;
    folders.Root = tempDir + ExchangeRootPrefix + FormatText("%x", {x}) + "\\";
    const std::string point = folders.Root + StationTitle(name) + ".files\\Там.point\\";
    folders.Input = point + "Input\\";
    folders.Output = point + "Output\\";
    return folders;
}
