#include "shellreg/UnitReg2.h"

namespace {

// KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY |
// WRITE_DAC: enough to write the entries and to walk a tree for deletion.
constexpr REGSAM RegAccess = 0x4001F;

} // namespace

win::TRegKey OpenRegKey(HKEY root, const std::string& path, bool create) {
    win::TRegKey key;
    LONG rc;
    if (create) {
        DWORD disposition = 0;
        rc = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, RegAccess, nullptr, key.put(),
                             &disposition);
    } else {
        rc = RegOpenKeyExA(root, path.c_str(), 0, RegAccess, key.put());
    }
    if (rc != ERROR_SUCCESS)
        key.release(); // whatever the call left there is not a key of ours
    return key;
}

void WriteRegText(HKEY key, const char* name, const std::string& text) {
    // The shell reads REG_SZ data as a C string: the terminating zero is part of the data.
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

bool SetClassesDefault(const std::string& path, const std::string& text) {
    const win::TRegKey key = OpenRegKey(HKEY_CLASSES_ROOT, path, true);
    if (!key)
        return false;
    WriteRegText(key.get(), nullptr, text);
    return true;
}
