#include "shellreg/UnitReg2.h"

#include <vector>

namespace {

// Every subkey name of `key`, in index order. The names are collected before anything is
// deleted: deleting while enumerating would shift the indices and skip every other key.
// A name that cannot be read stays empty.
std::vector<std::string> SubkeyNames(HKEY key) {
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<std::string> names(count);
    std::vector<char> buffer(longest + 1);
    for (DWORD i = 0; i < count; ++i) {
        DWORD size = static_cast<DWORD>(buffer.size());
        if (RegEnumKeyExA(key, i, buffer.data(), &size, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS)
            names[i].assign(buffer.data(), size);
    }
    return names;
}

} // namespace

void DeleteRegTree(HKEY root, const std::string& path) {
    if (const win::TRegKey key = OpenRegKey(root, path, false)) {
        for (const std::string& name : SubkeyNames(key.get()))
            if (!name.empty())
                DeleteRegTree(key.get(), name);
    }
    // RegDeleteKeyA removes only a key without subkeys; whatever is left is not ours to report.
    RegDeleteKeyA(root, path.c_str());
}
