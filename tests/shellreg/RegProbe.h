#pragma once
// Registry helpers of the registration tests. They read and clean up with the system's own
// calls (RegGetValueA, RegDeleteTreeA), independent of the code under test.

#include "os/WinHandle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace regprobe {

// Every key the product writes or removes, with the root it lives under.
struct TKeyRef {
    HKEY Root;
    const char* Path;
};
inline const std::vector<TKeyRef>& ProductKeys() {
    static const std::vector<TKeyRef> keys = {
        {HKEY_CLASSES_ROOT, ".Kelvo"},
        {HKEY_CLASSES_ROOT, "Norvane.Kelvo"},
        {HKEY_CLASSES_ROOT, ".KelvoUpd"},
        {HKEY_CLASSES_ROOT, "Norvane.KelvoUpd"},
        {HKEY_CLASSES_ROOT, ".KelvoDemo"},
        {HKEY_CLASSES_ROOT, "Norvane.KelvoDemo"},
        {HKEY_CURRENT_USER, "Software\\Norvane"},
    };
    return keys;
}

inline bool KeyExists(HKEY root, const std::string& path) {
    win::TRegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

// A REG_SZ value (the default one when `name` is null), without its terminating zero; none
// when the key or value is missing or of another type.
inline std::optional<std::string> ReadText(HKEY root, const std::string& path,
                                           const char* name = nullptr) {
    DWORD size = 0;
    if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::string text(size, '\0');
    if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size ? size - 1 : 0);
    return text;
}

// Creates root\path (with its parents) and, when `value` is given, sets the named REG_SZ
// value. False when the key cannot be created.
inline bool PutText(HKEY root, const std::string& path, const char* name = nullptr,
                    const std::string& value = {}) {
    win::TRegKey key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    if (!name && value.empty())
        return true;
    return RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

inline void RemoveTree(HKEY root, const std::string& path) {
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
}

inline void RemoveProductKeys() {
    for (const TKeyRef& key : ProductKeys())
        RemoveTree(key.Root, key.Path);
}

// The four entries of every file type, in registration order: key path and default value.
inline std::vector<std::pair<std::string, std::optional<std::string>>> Snapshot() {
    std::vector<std::pair<std::string, std::optional<std::string>>> entries;
    for (const char* type : {"Kelvo", "KelvoUpd", "KelvoDemo"}) {
        const std::string progId = std::string("Norvane.") + type;
        for (const std::string& path : {std::string(".") + type, progId, progId + "\\DefaultIcon",
                                        progId + "\\shell\\open\\command"})
            entries.emplace_back(path, ReadText(HKEY_CLASSES_ROOT, path));
    }
    return entries;
}

} // namespace regprobe
