#include "venue/QVenueProbes.h"

#include "os/Platform.h"
#include "os/Wide.h"
#include "protocol/QExchangeFolders.h"
#include "util/TextUtils.h"

#include <windows.h>

#include <array>

namespace {

// A file of this process's own, so that two checks at once never meet.
bool CanCreateAndDelete(const std::wstring& folder, DWORD& error) {
    const std::wstring probe =
        folder + L"KelvoDemo-check-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    CloseHandle(file);
    if (!DeleteFileW(probe.c_str())) {
        error = GetLastError();
        return false;
    }
    return true;
}

std::string FreeSpace(const std::wstring& folder) {
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExW(folder.c_str(), &free, nullptr, nullptr))
        return "свободно: не удалось проверить";
    const auto megabytes = static_cast<std::int32_t>(free.QuadPart / (1024 * 1024));
    return "свободно " + IntToDecimal(megabytes) + " МБ";
}

// What an earlier run may have left: this script's scheme files and the product's exchange
// folders.
void ListLeftovers(const std::wstring& folder, const TQDemoScript& script, TVenueLine& line) {
    for (const TQTestSide& side : script.Sides)
        if (GetFileAttributesW(win::Wide(side.SchemeFile).c_str()) != INVALID_FILE_ATTRIBUTES)
            line.Details.push_back("осталось от прошлого показа: " + side.SchemeFile);
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + win::Wide(ExchangeRootPrefix) + L"*";
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            line.Details.push_back("осталось от прошлого показа: " + win::Narrow(folder) +
                                   win::Narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace

std::wstring SystemTempFolder() {
    std::array<wchar_t, MAX_PATH + 1> buffer{};
    const DWORD n = GetTempPathW(MAX_PATH, buffer.data());
    return n && n <= MAX_PATH ? std::wstring(buffer.data(), n) : std::wstring();
}

TVenueLine TempLine(const std::wstring& folder, const TQDemoScript& script) {
    TVenueLine line{TVenueState::Ready, "Временная папка", win::Narrow(folder), {}};
    if (folder.empty()) {
        line.State = TVenueState::Error;
        line.Found = "система не называет временную папку";
        return line;
    }
    std::string held;
    if (!win::HeldPath(folder, held)) {
        line.State = TVenueState::Error;
        line.Found += ": её нет, или путь не читается в кодовой странице " +
                      IntToDecimal(static_cast<std::int32_t>(os::SystemCodePage()));
        return line;
    }
    DWORD error = 0;
    if (!CanCreateAndDelete(folder, error)) {
        line.State = TVenueState::Error;
        line.Found += ": файл не создать и не удалить: " + os::SystemErrorText(error);
        return line;
    }
    line.Found += ": запись возможна, " + FreeSpace(folder);
    // Held, but by its short name: the demonstration then writes its scheme files there.
    if (held != win::Narrow(folder))
        line.Details.push_back("в кодовой странице " +
                               IntToDecimal(static_cast<std::int32_t>(os::SystemCodePage())) +
                               " путь читается только по короткому имени: " + held);
    const std::size_t notes = line.Details.size();
    ListLeftovers(folder, script, line);
    if (line.Details.size() > notes)
        line.State = TVenueState::Warning;
    return line;
}
