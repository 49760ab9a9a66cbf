#include "venue/QVenueProbes.h"

#include "os/Wide.h"
#include "protocol/QProgramNames.h"
#include "util/TextUtils.h"

#include <windows.h>

#include <vector>

namespace {

// One text of FILE's version information, in the first language it names; empty when it has
// none.
std::string VersionText(const std::vector<BYTE>& info, const wchar_t* name) {
    struct TTranslation {
        WORD Language;
        WORD CodePage;
    };
    TTranslation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof(TTranslation))
        return {};
    wchar_t path[64];
    swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->Language,
             translation->CodePage, name);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&text), &size) || size == 0)
        return {};
    return win::Narrow(text);
}

} // namespace

TVenueLine ProductLine(const std::string& conductor) {
    TVenueLine line{TVenueState::Ready, ProductProgram, {}, {}};
    const std::wstring path = win::Wide(FolderPart(conductor) + ProductProgram);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        line.State = TVenueState::Error;
        line.Found = "нет рядом с " + conductor;
        return line;
    }
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    if (info.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data())) {
        line.State = TVenueState::Warning;
        line.Found = "без сведений о версии: " + win::Narrow(path);
        return line;
    }
    const std::string description = VersionText(info, L"FileDescription");
    const std::string version = VersionText(info, L"ProductVersion");
    line.Found = description == RehearsalStationDescription
                     ? "станция для репетиций " + version
                     : VersionText(info, L"ProductName") + " " + version;
    line.Details.push_back(win::Narrow(path));
    return line;
}
