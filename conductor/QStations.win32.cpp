#include "conductor/QStations.h"

#include "conductor/QLostStations.h"
#include "conductor/QSequencer.h"
#include "errors/err.h"
#include "os/CodePage.h"
#include "os/Platform.h"
#include "os/Wide.h"
#include "os/WinHandle.h"
#include "protocol/QProgramNames.h"
#include "protocol/QTrace.h"
#include "script/QTestMessage.h"
#include "toolkit/MessageBox.h"
#include "util/CmdLine.h"
#include "util/TextUtils.h"

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <utility>
#include <vector>

std::string TempDir;
std::string ProductExe;

namespace {

// The scheme files' paths go to the stations on their command lines, and the script and the
// program are opened by narrow functions: each path must read the same in code page 1251
// and in the system's. WHAT names the path for the presenter.
std::string Held(const std::wstring& path, const char* what) {
    std::string held;
    if (win::HeldPath(path, held))
        return held;
    throw Exception(
        ecSystem, std::string(what) + ": в пути есть знаки, которых нет в кодовой " +
                      "странице 1251 или в кодовой странице " + IntToDecimal(os::SystemCodePage()) +
                      " этой системы, а короткого имени у пути нет:\r\n" + win::Narrow(path) +
                      "\r\nПереименуйте папку или перенесите файл в другую.");
}

} // namespace

std::string GetTempDir() {
    std::array<wchar_t, MAX_PATH + 1> buffer{};
    const DWORD n = GetTempPathW(MAX_PATH, buffer.data());
    const std::wstring wide = n ? std::wstring(buffer.data()) : std::wstring();
    std::string dir = wide.empty()
                          ? std::string()
                          : Held(wide, "Не записать файлы схем в каталог временных файлов");
    if (dir.empty()) {
        std::string msg = "Не удалось определить каталог временных файлов WINDOWS:\r\n";
        msg += SysErrorText(GetLastError());
        msg += "\r\n\r\n";
        msg += "  Пожалуйста, задайте в системной переменной TEMP или TMP";
        msg += " маршрут к каталогу временных файлов (обычно C:\\WINDOWS\\TEMP или";
        msg += " C:\\WINNT\\TEMP) и убедитесь, что запись в него разрешена.\r\n";
        msg += "  После этого запустите программу заново.";
        throw Exception(ecSystem, msg);
    }
    if (dir.back() != '\\')
        dir += '\\';
    return dir;
}

TSplitPath SplitPath(const std::string& path) {
    return {FolderPart(path, "\\"), FileNamePart(path, "\\")};
}

namespace {

std::string StationParameters(const TQTestSide& side, int i, int n) {
    return "\"" + side.SchemeFile + "\" /demo(" + IntToDecimal(i) + "," + IntToDecimal(n) + ")";
}

// The launch of ShellExecuteA, which also gives the process, so that a station that ends
// before it answers is known to be lost. Its failure shows no box of the system's.
bool Launch(const std::string& params, win::TKernelHandle& process, bool& notFound) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = ProductExe.c_str();
    info.lpParameters = params.c_str();
    info.lpDirectory = "";
    info.nShow = SW_HIDE;
    const bool ok = ShellExecuteExA(&info) && reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
    const DWORD error = GetLastError();
    const auto code = reinterpret_cast<INT_PTR>(info.hInstApp);
    process.reset(info.hProcess);
    notFound = code == SE_ERR_FNF || code == SE_ERR_PNF || error == ERROR_FILE_NOT_FOUND ||
               error == ERROR_PATH_NOT_FOUND;
    return ok;
}

void StartStation(int i, int n) {
    const std::string params = StationParameters(Sides[i], i, n);
    win::TKernelHandle process;
    bool notFound = false;
    if (Launch(params, process, notFound)) {
        NoteStarted(Sides[i].Name, std::move(process));
        return;
    }
    NoteStartFailed(Sides[i].Name);
    std::string text = "Ошибка запуска: " + ProductExe + " " + params;
    // Most often a fresh install without the product: say where the rehearsal stations are.
    if (notFound)
        text += "\r\nKelvo.exe не найден рядом с KelvoDemo.exe. Для репетиции запустите "
                "KelvoDemo.exe из папки rehearsal.";
    ShowOkMessage(text);
}

} // namespace

void StartDemo() {
    ResetLostStations();
    TempDir = GetTempDir();
    ProductExe =
        SplitPath(Held(WideCmdLineParam(0), "Не запустить Kelvo.exe рядом с KelvoDemo.exe"))
            .Folder +
        ProductProgram;
    ReadDemoScript(Held(WideCmdLineParam(1), "Не открыть сценарий"), TempDir);
    for (const TQTestSide& side : Sides)
        WaitFor(side.Name);
    CurStep = -1;
    CurCmd = -1;
    const int n = static_cast<int>(Sides.size());
    for (int i = 0; i < n; ++i)
        StartStation(i, n);
}

namespace {

// Deletes FILE; false only when a process holds it open, which passes: a station still
// reading its scheme file. Any other failure does not pass, and the file stays.
bool DeletedOrHopeless(const std::string& file) {
    return DeleteFileA(file.c_str()) || GetLastError() != ERROR_SHARING_VIOLATION;
}

// The held files are tried again for a short while rather than left in the temporary folder
// for good.
void DeleteHeldSchemes(std::vector<std::string> held) {
    for (int round = 0; round < 20 && !held.empty(); ++round) {
        Sleep(100);
        std::erase_if(held, DeletedOrHopeless);
    }
}

} // namespace

void StopStations() {
    std::vector<std::string> held;
    for (const TQTestSide& side : Sides) {
        SendQM(static_cast<WPARAM>(-1), side.Name, QM_QUIT, 0);
        if (!DeletedOrHopeless(side.SchemeFile))
            held.push_back(side.SchemeFile);
    }
    DeleteHeldSchemes(std::move(held));
}
