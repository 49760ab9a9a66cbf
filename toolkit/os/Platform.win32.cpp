#include "toolkit/os/Platform.h"

#include "toolkit/WinHandle.h"

#include <windows.h>

#include <array>

namespace os {
namespace {

enum class TPairState : std::uint8_t { Unknown, Same, Different };

bool AskSameIgnoringCase(char a, char b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, &a, 1, &b, 1) == CSTR_EQUAL;
}

} // namespace

bool SameCharIgnoringCase(char a, char b) {
    if (a == b)
        return true;
    // One CompareStringA call costs far more than a whole token; the answer for a pair
    // never changes while the process runs, so each pair is asked once.
    static std::array<TPairState, 256 * 256> known{};
    TPairState& state = known[static_cast<unsigned char>(a) * 256 + static_cast<unsigned char>(b)];
    if (state == TPairState::Unknown)
        state = AskSameIgnoringCase(a, b) ? TPairState::Same : TPairState::Different;
    return state == TPairState::Same;
}

int CompareLocale(const char* a, const char* b, bool ignoreCase) {
    return CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a, -1, b, -1) - 2;
}

bool ReadWholeFile(const std::string& fileName, std::string& bytes) {
    win::TFile file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return false;
    std::string result(size, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), result.data(), size, &read, nullptr) || read != size)
        return false;
    bytes = std::move(result);
    return true;
}

bool WriteWholeFile(const std::string& fileName, std::string_view bytes) {
    win::TFile file(CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    BOOL ok =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

bool DeleteWholeFile(const std::string& fileName) {
    return DeleteFileA(fileName.c_str()) != 0;
}

} // namespace os
