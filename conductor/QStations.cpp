#include "conductor/QStations.h"

#include "conductor/QLostStations.h"
#include "conductor/QSequencer.h"
#include "errors/err.h"
#include "protocol/QTrace.h"
#include "script/QTestMessage.h"
#include "toolkit/MessageBox.h"
#include "util/CmdLine.h"
#include "util/TextUtils.h"

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <vector>

std::string TempDir;
std::string ProductExe;

std::string GetTempDir() {
    std::array<char, MAX_PATH + 1> buffer{};
    const DWORD n = GetTempPathA(MAX_PATH, buffer.data());
    std::string dir = n ? std::string(buffer.data()) : std::string();
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
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

namespace {

std::string StationParameters(const TQTestSide& side, int i, int n) {
    return "\"" + side.SchemeFile + "\" /demo(" + IntToDecimal(i) + "," + IntToDecimal(n) + ")";
}

void StartStation(int i, int n) {
    const std::string params = StationParameters(Sides[i], i, n);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", ProductExe.c_str(), params.c_str(), "", SW_HIDE));
    if (result > 32)
        return;
    NoteStartFailed(Sides[i].Name);
    std::string text = "Ошибка запуска: " + ProductExe + " " + params;
    // Most often a fresh install without the product: say where the rehearsal stations are.
    if (result == SE_ERR_FNF || result == SE_ERR_PNF)
        text += "\r\nKelvo.exe не найден рядом с KelvoDemo.exe. Для репетиции запустите "
                "KelvoDemo.exe из папки rehearsal.";
    ShowOkMessage(text);
}

} // namespace

void StartDemo() {
    ResetLostStations();
    TempDir = GetTempDir();
    ProductExe = SplitPath(CmdLineParam(0)).Folder + "Kelvo.exe";
    ReadDemoScript(CmdLineParam(1), TempDir);
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
