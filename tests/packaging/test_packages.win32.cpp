// The zip and the installer as a user meets them: unpacked and registered, installed
// silently, a script opened through the shell, and uninstalled. The packages are made by the
// fixture before this test, into ..\package-test from the test's own folder.

#include "os/WinHandle.h"
#include "tests/shellreg/RegProbe.h"
#include "tests/support/Process.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFiles.h"
#include "tests/support/TopWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace regprobe;
using namespace support;

namespace {

const char* const UninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KelvoDemo";

std::string PackageFolder() {
    char full[MAX_PATH];
    const std::string path = ProgramFolder() + "..\\package-test";
    return std::string(full, GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr)) + "\\";
}

std::string InstallFolder() {
    char programFiles[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles);
    return std::string(programFiles) + "\\KelvoDemo\\";
}

// Every file below `root`, as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::string& root, const std::string& sub = "") {
    std::vector<std::string> files;
    WIN32_FIND_DATAA data;
    win::TFindHandle find(FindFirstFileA((root + sub + "*").c_str(), &data));
    if (!find)
        return files;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const auto inner = FilesBelow(root, sub + name + "\\");
            files.insert(files.end(), inner.begin(), inner.end());
        } else {
            files.push_back(sub + name);
        }
    } while (FindNextFileA(find.get(), &data));
    std::sort(files.begin(), files.end());
    return files;
}

// Runs `exe` to its end and expects it to end by itself, quietly and with exit code 0.
void ExpectQuietRun(const std::string& exe, const std::string& args) {
    const TRun run = RunProgram(exe, args, 60000);
    EXPECT_TRUE(run.Ended) << exe << " " << args << " did not end";
    EXPECT_EQ(run.ExitCode, 0u) << exe << " " << args;
    EXPECT_TRUE(run.Boxes.empty()) << exe << " " << args << " showed a box";
}

// What a program's version information says: its product name, product version, file version
// text and file version numbers, in one line.
std::string VersionOf(const std::string& exe) {
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    if (info.empty() || !GetFileVersionInfoA(exe.c_str(), 0, info.size(), info.data()))
        return "(no version information)";
    auto text = [&](const char* name) -> std::string {
        char* value = nullptr;
        UINT size = 0;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        return VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &size)
                   ? std::string(value)
                   : "(no " + std::string(name) + ")";
    };
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    std::string numbers = "(no fixed version)";
    if (VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size))
        numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                  std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                  std::to_string(HIWORD(fixed->dwFileVersionLS));
    return text("ProductName") + " " + text("ProductVersion") + " " + text("FileVersion") + " " +
           numbers;
}

std::string OpenCommandOf(const std::string& exe) {
    return "\"" + exe + "\" \"%1\"";
}

// The packages' layout: the program at the top, the tools below tools\, scripts
// below examples\, and a rehearsal station never beside the program but with a conductor of
// its own.
void ExpectLayout(const std::string& folder) {
    const std::vector<std::string> files = FilesBelow(folder);
    for (const char* file :
         {"KelvoDemo.exe", "README.txt", "tools\\kelvodemo-check.exe", "tools\\qtrace.exe"})
        EXPECT_NE(std::find(files.begin(), files.end(), file), files.end())
            << file << " is missing";
    for (const std::string& file : files) {
        const std::string name = file.substr(file.find_last_of('\\') + 1);
        if (name == "Kelvo.exe") {
            EXPECT_EQ(file, "rehearsal\\Kelvo.exe");
            EXPECT_NE(std::find(files.begin(), files.end(), "rehearsal\\KelvoDemo.exe"),
                      files.end())
                << "the rehearsal station has no conductor beside it";
        }
        if (name.ends_with(".KelvoDemo")) {
            EXPECT_TRUE(file.starts_with("examples\\")) << file;
        }
        if (name.ends_with(".exe")) {
            EXPECT_EQ(VersionOf(folder + file),
                      "KelvoDemo " KELVO_VERSION " " KELVO_VERSION " " KELVO_VERSION)
                << file;
        }
    }
}

// A script the program cannot read: held open without sharing while the shell opens it.
struct TLockedScript {
    TTempFolder Folder{" with spaces"};
    std::string Path = Folder / "locked script.KelvoDemo";
    win::TFile File{CreateFileA(Path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr)};
};

void ExpectShellOpensWithTheInstalledProgram() {
    const TLockedScript script;
    ASSERT_TRUE(script.File) << "cannot create " << script.Path;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = script.Path.c_str();
    info.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExA(&info)) << "the shell cannot open " << script.Path;
    ASSERT_NE(info.hProcess, nullptr) << "the shell started no process";
    const win::TKernelHandle process(info.hProcess);

    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    ASSERT_TRUE(QueryFullProcessImageNameA(process.get(), 0, image, &size));
    EXPECT_EQ(lstrcmpiA(image, (InstallFolder() + "KelvoDemo.exe").c_str()), 0) << image;

    // The program cannot read the script and says so, naming the path it was given.
    HWND box = nullptr;
    EXPECT_TRUE(
        PumpUntil([&] { return (box = FindBox(GetProcessId(process.get()))) != nullptr; }, 30000))
        << "the program showed no error box";
    if (box) {
        const TBox seen = ReadBox(box);
        const std::string expected = "<" + script.Path + ">";
        EXPECT_TRUE(std::any_of(
            seen.Texts.begin(), seen.Texts.end(),
            [&](const std::string& t) { return t.find(expected) != std::string::npos; }))
            << "the box does not name " << expected << ": "
            << (seen.Texts.empty() ? "" : seen.Texts[0]);
        PressButton(box, IDOK);
    }
    DWORD code = 0;
    if (!WaitPumping(process.get(), 30000))
        TerminateProcess(process.get(), 99);
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 1u);
}

} // namespace

TEST(Zip, UnpacksToTheLayoutAndRegistersFromWhereItLies) {
    const std::string folder = PackageFolder() + "unzipped\\";
    ExpectLayout(folder);

    RemoveProductKeys();
    ExpectQuietRun(folder + "KelvoDemo.exe", "/register");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoDemo\\shell\\open\\command"),
              OpenCommandOf(folder + "KelvoDemo.exe"));
    ExpectQuietRun(folder + "KelvoDemo.exe", "/unregister");
    for (const auto& [path, value] : Snapshot())
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, path)) << path;
}

TEST(Installer, InstallsOpensScriptsAndUninstallsWhatItInstalled) {
    const std::string folder = InstallFolder();
    RemoveProductKeys();
    ExpectQuietRun(PackageFolder() + KELVO_PACKAGE_NAME "-setup.exe", "/S");
    ASSERT_FALSE(HasFailure());

    // The zip's files, the same layout, and the uninstaller.
    std::vector<std::string> expected = FilesBelow(PackageFolder() + "unzipped\\");
    expected.push_back("Uninstall.exe");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesBelow(folder), expected);
    for (const auto& [path, value] : Snapshot())
        EXPECT_TRUE(value.has_value()) << path << " is not registered";
    const std::string exe = folder + "KelvoDemo.exe";
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoDemo\\shell\\open\\command"),
              OpenCommandOf(exe));
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, UninstallKey, "UninstallString"),
              "\"" + folder + "Uninstall.exe\"");
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayVersion"), KELVO_VERSION);

    ExpectShellOpensWithTheInstalledProgram();

    // A file of the user's in the folder stays, and with it the folder; nothing else does.
    ASSERT_TRUE(PutText(HKEY_CURRENT_USER, "Software\\Norvane\\Kelvo2", "Path", "C:\\Sync"));
    const std::string notes = folder + "notes.txt";
    ASSERT_TRUE(
        win::TFile(CreateFileA(notes.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    ExpectQuietRun(folder + "Uninstall.exe", "/S");
    // The uninstaller goes on in a copy of itself, which deletes the original.
    EXPECT_TRUE(PumpUntil([] { return !KeyExists(HKEY_LOCAL_MACHINE, UninstallKey); }, 30000))
        << "the uninstaller did not finish";
    EXPECT_EQ(FilesBelow(folder), std::vector<std::string>{"notes.txt"});
    for (const TKeyRef& key : ProductKeys())
        EXPECT_FALSE(KeyExists(key.Root, key.Path)) << key.Path << " is still there";
    DeleteFileA(notes.c_str());
    RemoveDirectoryA(folder.c_str());
}
