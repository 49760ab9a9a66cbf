#include "ExchangeFolders.h"

#include "os/Platform.h"
#include "os/WinHandle.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// Calls VISIT(entry) for every entry of FOLDER but "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA entry{};
    win::TFindHandle find(FindFirstFileA((folder + "*").c_str(), &entry));
    if (!find)
        return;
    do {
        if (!IsDotEntry(entry.cFileName))
            visit(entry);
    } while (FindNextFileA(find.get(), &entry));
}

// Creates every missing folder of PATH (ending in a backslash) below FROM.
void CreateFolderPath(const std::string& path, std::size_t from) {
    for (std::size_t slash = path.find('\\', from); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("Не удалось создать папку " + folder);
    }
}

std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace

void CreateExchangeFolders(const TExchangeFolders& folders) {
    RemoveTree(folders.Root);
    const std::size_t below = folders.Root.rfind('\\', folders.Root.size() - 2) + 1;
    CreateFolderPath(folders.Input, below);
    CreateFolderPath(folders.Output, below);
}

void RemoveTree(const std::string& folder) {
    if (folder.empty() || folder.back() != '\\')
        return; // not a folder path: never the current folder by accident
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& entry) {
        const std::string path = folder + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(path + "\\");
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    });
    RemoveDirectoryA(folder.c_str());
}

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(entry.cFileName);
    });
    std::sort(names.begin(), names.end());
    return names;
}

bool PutOnlyFile(const std::string& folder, const std::string& name, const std::string& text) {
    for (const std::string& old : FileNames(folder))
        DeleteFileA((folder + old).c_str());
    return os::WriteWholeFile(folder + name, text);
}

bool FileCrc32(const std::string& path, std::uint32_t& crc) {
    static const std::array<std::uint32_t, 256> table = MakeCrcTable();
    win::TFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::uint32_t c = 0xFFFFFFFFu;
    std::array<unsigned char, 65536> buffer;
    DWORD got = 0;
    BOOL read = FALSE;
    while ((read = ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                            nullptr)) &&
           got > 0)
        for (DWORD i = 0; i < got; ++i)
            c = table[(c ^ buffer[i]) & 0xFF] ^ (c >> 8);
    crc = c ^ 0xFFFFFFFFu;
    return read != FALSE;
}
