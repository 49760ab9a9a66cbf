#include "os/Platform.h"

#include "os/WinHandle.h"

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

unsigned SystemCodePage() {
    return GetACP();
}

std::u16string InSystemCodePage(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
    return std::u16string(wide.begin(), wide.end());
}

namespace {

bool IsFolder(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// False, with the why of ERROR; a folder says "access denied", which is no help.
bool Failed(TReadFailure* failure, DWORD error, const std::string& name) {
    if (!failure)
        return false;
    failure->SystemText = SystemErrorText(error);
    if (IsFolder(name))
        failure->Kind = TReadFailure::Folder;
    else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        failure->Kind = TReadFailure::NotFound;
    else if (error == ERROR_ACCESS_DENIED)
        failure->Kind = TReadFailure::Denied;
    else
        failure->Kind = TReadFailure::Other;
    return false;
}

} // namespace

bool ReadWholeFile(const std::string& fileName, std::string& bytes, TReadFailure* failure) {
    win::TFile file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return Failed(failure, GetLastError(), fileName);
    DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return Failed(failure, GetLastError(), fileName);
    std::string result(size, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), result.data(), size, &read, nullptr))
        return Failed(failure, GetLastError(), fileName);
    if (read != size)
        return Failed(failure, ERROR_HANDLE_EOF, fileName);
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

std::string SystemErrorText(std::uint32_t code) {
    char buffer[256];
    // There are no arguments to give: a text with inserts such as "%1" would otherwise have
    // them read from nowhere, so they are left in the text as they stand.
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 0x20 || text.back() == '.'))
        text.pop_back();
    return text;
}

bool DeleteWholeFile(const std::string& fileName) {
    return DeleteFileA(fileName.c_str()) != 0;
}

} // namespace os
