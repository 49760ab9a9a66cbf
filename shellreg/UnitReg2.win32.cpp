#include "shellreg/UnitReg2.h"

#include "protocol/QProgramNames.h"
#include "util/CmdLine.h"
#include "util/TextUtils.h"

#include <shlobj.h>

namespace {

struct TFileType {
    const char* Extension;
    const char* ProgId;
    const char* DisplayName;
    const char* IconIndex;
    bool DemoProgram; // opened by KelvoDemo.exe rather than Kelvo.exe
};

// In the order they are registered.
constexpr TFileType FileTypes[] = {
    {".Kelvo", "Norvane.Kelvo", "Norvane Tallier Scheme", "0", false},
    {".KelvoUpd", "Norvane.KelvoUpd", "Norvane Tallier Update Pack", "1", false},
    {".KelvoDemo", "Norvane.KelvoDemo", "Norvane Tallier Demo", "0", true},
};

constexpr const char* MakerKey = "Software\\Norvane";
constexpr const char* SettingsKey = "Software\\Norvane\\Kelvo2";

// A row that cannot be written ends there; the shell then simply lacks part of that type.
void RegisterOneType(const TFileType& type, const std::string& executable) {
    const std::string progId = type.ProgId;
    if (!SetClassesDefault(type.Extension, progId) || !SetClassesDefault(progId, type.DisplayName))
        return;
    if (!SetClassesDefault(progId + "\\DefaultIcon", executable + "," + type.IconIndex))
        return;
    SetClassesDefault(progId + "\\shell\\open\\command", "\"" + executable + "\" \"%1\"");
}

// Lets Explorer show the new icons and use the new commands without a restart.
void NotifyShell() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
}

// Whether HKEY_CURRENT_USER\Software\Norvane still holds another product's settings. A key
// that cannot be opened holds nothing; one whose subkeys cannot be counted is kept, since
// deleting it could take other products' settings with it.
bool MakerKeyInUse() {
    const win::TRegKey maker = OpenRegKey(HKEY_CURRENT_USER, MakerKey, false);
    if (!maker)
        return false;
    DWORD subkeys = 0;
    if (RegQueryInfoKeyA(maker.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return true;
    return subkeys != 0;
}

} // namespace

void RegisterFileTypes(std::string_view programPath) {
    const std::string mainExe = FolderPart(programPath) + ProductProgram;
    // The demo program is registered under its shipped name, whatever this copy is called.
    const std::string demoExe = FolderPart(mainExe) + ConductorProgram;
    for (const TFileType& type : FileTypes)
        RegisterOneType(type, type.DemoProgram ? demoExe : mainExe);
    NotifyShell();
}

void RegisterFileTypes() {
    RegisterFileTypes(CmdLineParam(0));
}

namespace {

std::string ClassesDefault(const std::string& path) {
    const win::TRegKey key = OpenRegKey(HKEY_CLASSES_ROOT, path, false);
    if (!key)
        return {};
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return text;
}

// The program of a command: its first word, or its first quoted text.
std::string CommandProgram(const std::string& command) {
    if (command.empty())
        return {};
    if (command[0] == '"') {
        const std::size_t end = command.find('"', 1);
        return command.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    }
    return command.substr(0, command.find(' '));
}

} // namespace

std::string DemoScriptOpener() {
    for (const TFileType& type : FileTypes) {
        if (!type.DemoProgram)
            continue;
        const std::string progId = ClassesDefault(type.Extension);
        if (!progId.empty())
            return CommandProgram(ClassesDefault(progId + "\\shell\\open\\command"));
    }
    return {};
}

void UnregisterFileTypes() {
    for (const TFileType& type : FileTypes) {
        DeleteRegTree(HKEY_CLASSES_ROOT, type.Extension);
        DeleteRegTree(HKEY_CLASSES_ROOT, type.ProgId);
    }
    DeleteRegTree(HKEY_CURRENT_USER, SettingsKey);
    // Values stored directly in the maker's key do not keep it; other products' keys do.
    if (!MakerKeyInUse()) {
        if (const win::TRegKey software = OpenRegKey(HKEY_CURRENT_USER, "Software", false))
            DeleteRegTree(software.get(), "Norvane");
    }
    NotifyShell();
}
