#include "StationWindow.h"

#include "script/QSchemeSections.h"

#include "os/Dpi.h"
#include "os/Platform.h"
#include "os/Wide.h"
#include "os/WinBinding.h"
#include "os/WinHandle.h"
#include "protocol/QProtocol.h"
#include "protocol/QWindowNames.h"
#include "util/TextUtils.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_STATION_READY = WM_APP + 1;
// Arrivals in the input folder are noticed within this time.
constexpr UINT_PTR PollTimer = 1;
constexpr UINT PollMs = 300;
// Every delayed answer runs on a timer of its own, so that none is lost or doubled.
constexpr UINT_PTR FirstAnswerTimer = 100;

// At 96 dots per inch; the rows grow with the window's scale and, at the least, with its font.
constexpr int Margin = 6;
constexpr int HeaderHeight = 36; // two lines
constexpr int CaptionHeight = 18;
constexpr int RowPadding = 4;
constexpr int FontHeight = -11;

enum TPane { paneScheme, paneLog, paneFiles, paneCount };

struct TStation {
    TStationSetup Setup;
    HWND Window = nullptr;
    HWND Header = nullptr;
    win::TFont Font;
    win::TFont HeaderFont;
    int LineHeight = 0;       // of Font
    int HeaderLineHeight = 0; // of HeaderFont
    std::array<HWND, paneCount> Captions{};
    std::array<HWND, paneCount> Lists{};
    TSchemeText Scheme;
    int Section = 0;
    int SyncCount = 0;
    UINT_PTR NextAnswerTimer = FirstAnswerTimer;
    std::vector<std::string> InputFiles;
    std::vector<std::string> OutputFiles;
    int Answers = 0;
    LONGLONG AnsweredAt = 0; // when the last answer to a command was posted, 0 if none since
    std::vector<LONGLONG> Handoffs;

    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
};

LONGLONG Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void NoteArrival(TStation& station) {
    if (station.AnsweredAt != 0)
        station.Handoffs.push_back(Now() - station.AnsweredAt);
    station.AnsweredAt = 0;
}

// A station that received no command writes nothing: stations that share the file would
// otherwise leave it empty in place of the one that was timed.
void WriteHandoffs(const TStation& station) {
    if (station.Setup.HandoffLog.empty() || station.Handoffs.empty())
        return;
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::string lines;
    for (LONGLONG ticks : station.Handoffs)
        lines += std::to_string(ticks * 1000000 / frequency.QuadPart) + "\r\n";
    os::WriteWholeFile(station.Setup.HandoffLog, lines);
}

// The children are wide, so that they show the station's texts on any system code page.
HWND MakeChild(HWND parent, const wchar_t* windowClass, DWORD style, const std::string& text = "") {
    return CreateWindowExW(0, windowClass, win::Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The dialog font at DPI.
win::TFont MakeFont(UINT dpi, LONG weight) {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = -win::Scaled(-FontHeight, dpi);
    font.lfWidth = 0;
    font.lfWeight = weight;
    return win::TFont(CreateFontIndirectW(&font));
}

int LineHeightOf(HWND window, HFONT font) {
    const win::TWindowDC dc(window);
    const win::TSelectObject selected(dc.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

void AddLine(HWND list, const std::string& line) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(line).c_str()));
}

std::string Decimal(int n) {
    return IntToDecimal(n);
}

void Log(TStation& station, const std::string& text) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string stamp = FormatText("%02u:%02u:%02u  ", {now.wHour, now.wMinute, now.wSecond});
    HWND list = station.Lists[paneLog];
    AddLine(list, stamp + text);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    if (count > 0)
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}

void ShowHeader(const TStation& station) {
    const TStationArgs& args = station.Setup.Args;
    std::string text = "Станция " + args.Name;
    text +=
        args.Demo ? ", " + Decimal(args.Index + 1) + " из " + Decimal(args.Count) : ", без пульта";
    text += ", шаг " + Decimal(station.Section + 1) + " из " +
            Decimal(static_cast<int>(station.Scheme.Sections.size()));
    if (station.Setup.DelayMs > 0)
        text += ", ответ через " + Decimal(static_cast<int>(station.Setup.DelayMs)) + " мс";
    text += "\r\nПапка обмена: " + station.Setup.Folders.Root;
    SetWindowTextW(station.Header, win::Wide(text).c_str());
}

void MarkSection(TStation& station) {
    HWND list = station.Lists[paneScheme];
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    const auto& sections = station.Scheme.Sections;
    if (!sections.empty()) {
        const TSchemeSection& section = sections[static_cast<std::size_t>(station.Section)];
        SendMessageW(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(section.First), section.Last);
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, section.First - 1)), 0);
    }
    ShowHeader(station);
}

// Refills LIST with LINES in one go: a list box that redraws after every line is slow.
void FillList(HWND list, const std::vector<std::string>& lines) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines)
        AddLine(list, line);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void LoadScheme(TStation& station) {
    std::string text;
    if (!os::ReadWholeFile(station.Setup.Args.SchemeFile, text)) {
        station.Scheme = TSchemeText{};
        FillList(station.Lists[paneScheme],
                 {"Не удалось прочитать файл схемы " + station.Setup.Args.SchemeFile});
        return;
    }
    station.Scheme = SplitScheme(text);
    FillList(station.Lists[paneScheme], station.Scheme.Lines);
    const int last = static_cast<int>(station.Scheme.Sections.size()) - 1;
    station.Section = std::clamp(station.Section, 0, std::max(last, 0));
}

void ShowFiles(const TStation& station) {
    std::vector<std::string> lines;
    auto showFolder = [&](const char* title, const std::vector<std::string>& names) {
        lines.emplace_back(title);
        if (names.empty())
            lines.emplace_back("      (пусто)");
        for (const std::string& name : names)
            lines.push_back("      " + name);
    };
    showFolder("Входящие (Input):", station.InputFiles);
    showFolder("Исходящие (Output):", station.OutputFiles);
    FillList(station.Lists[paneFiles], lines);
}

void PollFiles(TStation& station) {
    std::vector<std::string> input = FileNames(station.Setup.Folders.Input);
    std::vector<std::string> output = FileNames(station.Setup.Folders.Output);
    if (input == station.InputFiles && output == station.OutputFiles)
        return;
    for (const std::string& name : input)
        if (std::find(station.InputFiles.begin(), station.InputFiles.end(), name) ==
            station.InputFiles.end())
            Log(station, "Получен файл " + name);
    station.InputFiles = std::move(input);
    station.OutputFiles = std::move(output);
    ShowFiles(station);
}

void PostOk(TStation& station) {
    HWND conductor = FindWindowA(ConductorClass, nullptr);
    if (!conductor) {
        Log(station, "Пульт управления не найден: ответ не отправлен");
        return;
    }
    // The window shows what the command did before the conductor hears that it is done.
    RedrawWindow(station.Window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The first answer says ready; what follows it waits for the presenter, not the conductor.
    station.AnsweredAt = station.Answers++ > 0 ? Now() : 0;
    PostMessageA(conductor, QM_OK, static_cast<WPARAM>(station.Setup.Args.Index),
                 static_cast<LPARAM>(station.Setup.X));
}

// One answer per command; a station started without the conductor answers nobody, and a
// silent one nothing after its first answer.
void Answer(TStation& station) {
    if (!station.Setup.Args.Demo || (station.Setup.Silent && station.Answers > 0))
        return;
    if (station.Setup.DelayMs == 0)
        PostOk(station);
    else
        SetTimer(station.Window, station.NextAnswerTimer++, station.Setup.DelayMs, nullptr);
}

std::string Sync(TStation& station) {
    const std::string& name = station.Setup.Args.Name;
    const std::string count = Decimal(++station.SyncCount);
    const std::string file = name + "-" + count + ".txt";
    const std::string text = "Файл станции " + name + ", синхронизация " + count + ", шаг " +
                             Decimal(station.Section + 1) + "\r\n";
    // The conductor carries the first file it finds, so the newest is the only one.
    if (!PutOnlyFile(station.Setup.Folders.Output, file, text))
        return "не удалось записать " + file + " в Output";
    PollFiles(station);
    return "в Output положен " + file;
}

std::string Next(TStation& station) {
    const int sections = static_cast<int>(station.Scheme.Sections.size());
    if (station.Section + 1 >= sections)
        return "схема кончилась, шаг остается прежним";
    ++station.Section;
    MarkSection(station);
    return "шаг " + Decimal(station.Section + 1);
}

// The checksum of every exchanged file, one line each; an incoming file whose checksum
// equals an outgoing one is marked as the same.
std::vector<std::string> CompareByCrc(const TStation& station) {
    std::vector<std::string> lines{""};
    std::vector<std::uint32_t> outgoing;
    auto check = [&](const std::string& folder, const char* shown, bool incoming) {
        for (const std::string& name : FileNames(folder)) {
            std::uint32_t crc = 0;
            if (!FileCrc32(folder + name, crc)) {
                lines.push_back("      " + name + ": не читается");
                continue;
            }
            const bool same =
                incoming && std::find(outgoing.begin(), outgoing.end(), crc) != outgoing.end();
            if (!incoming)
                outgoing.push_back(crc);
            lines.push_back(FormatText("      %s%s: CRC %08X%s",
                                       {shown, name, crc, same ? ", как у исходящего" : ""}));
        }
    };
    check(station.Setup.Folders.Output, "Output\\", false);
    check(station.Setup.Folders.Input, "Input\\", true);
    lines[0] = lines.size() > 1 ? "сверено файлов: " + Decimal(static_cast<int>(lines.size() - 1))
                                : "папки обмена пусты";
    return lines;
}

// What the command did: a line for the log, and more lines for some commands.
std::vector<std::string> RunCommand(TStation& station, UINT msg) {
    switch (msg) {
    case QM_REFRESH:
        LoadScheme(station);
        MarkSection(station);
        PollFiles(station);
        return {"схема перечитана"};
    case QM_SYNC:
        return {Sync(station)};
    case QM_NEXT:
        return {Next(station)};
    case QM_FORCEOK:
        return {"подтверждено без проверки"};
    default:
        return CompareByCrc(station);
    }
}

bool IsAnsweredCommand(UINT msg) {
    return msg == QM_REFRESH || msg == QM_SYNC || msg == QM_NEXT || msg == QM_FORCEOK ||
           msg == QM_COMPAREBYCRC;
}

// The fonts at the window's scale, given to every child.
void ApplyFonts(TStation& station) {
    const UINT dpi = win::DpiOf(station.Window);
    station.Font = MakeFont(dpi, FW_NORMAL);
    station.HeaderFont = MakeFont(dpi, FW_BOLD);
    station.LineHeight = LineHeightOf(station.Window, station.Font.get());
    station.HeaderLineHeight = LineHeightOf(station.Window, station.HeaderFont.get());
    const auto font = reinterpret_cast<WPARAM>(station.Font.get());
    SendMessageW(station.Header, WM_SETFONT, reinterpret_cast<WPARAM>(station.HeaderFont.get()),
                 TRUE);
    for (int pane = 0; pane < paneCount; ++pane) {
        SendMessageW(station.Captions[pane], WM_SETFONT, font, TRUE);
        SendMessageW(station.Lists[pane], WM_SETFONT, font, TRUE);
    }
}

void CreateControls(TStation& station) {
    HWND window = station.Window;
    // Narrow windows cut the texts at their right edge rather than wrap them below their row.
    station.Header = MakeChild(window, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX);
    const std::array<std::string, paneCount> captions = {"Схема: " + station.Setup.Args.Title,
                                                         "Полученные команды", "Папки обмена"};
    for (int pane = 0; pane < paneCount; ++pane)
        station.Captions[pane] =
            MakeChild(window, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, captions[pane]);
    constexpr DWORD list = WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS;
    station.Lists[paneScheme] = MakeChild(window, L"LISTBOX", list | WS_HSCROLL | LBS_EXTENDEDSEL);
    station.Lists[paneLog] = MakeChild(window, L"LISTBOX", list | WS_HSCROLL | LBS_NOSEL);
    station.Lists[paneFiles] = MakeChild(window, L"LISTBOX", list | LBS_NOSEL);
    ApplyFonts(station);
}

} // namespace

TStationRows StationRows(UINT dpi, int lineHeight, int headerLineHeight) {
    const int padding = win::Scaled(RowPadding, dpi);
    return {win::Scaled(Margin, dpi),
            std::max(win::Scaled(HeaderHeight, dpi), 2 * headerLineHeight + padding),
            std::max(win::Scaled(CaptionHeight, dpi), lineHeight + padding)};
}

namespace {

void Place(HWND caption, HWND list, const TStationRows& rows, int left, int top, int width,
           int height) {
    MoveWindow(caption, left, top, width, rows.Caption, TRUE);
    MoveWindow(list, left, top + rows.Caption, width, std::max(0, height - rows.Caption), TRUE);
}

// The scheme on the left; the commands, the wider lines, above the folders on the right.
void Layout(const TStation& station, int width, int height) {
    const TStationRows rows =
        StationRows(win::DpiOf(station.Window), station.LineHeight, station.HeaderLineHeight);
    const int margin = rows.Margin;
    MoveWindow(station.Header, margin, margin, width - 2 * margin, rows.Header, TRUE);
    const int top = 2 * margin + rows.Header;
    const int body = std::max(0, height - top - margin);
    const int leftWidth = std::max(0, (width - 3 * margin) * 9 / 20);
    const int rightLeft = 2 * margin + leftWidth;
    const int rightWidth = std::max(0, width - rightLeft - margin);
    const int logHeight = body * 11 / 20;
    Place(station.Captions[paneScheme], station.Lists[paneScheme], rows, margin, top, leftWidth,
          body);
    Place(station.Captions[paneLog], station.Lists[paneLog], rows, rightLeft, top, rightWidth,
          logHeight);
    Place(station.Captions[paneFiles], station.Lists[paneFiles], rows, rightLeft,
          top + logHeight + margin, rightWidth, body - logHeight - margin);
    // Wider lines scroll sideways, by as much at any scale.
    const int extent = win::Scaled(2000, win::DpiOf(station.Window));
    for (HWND wide : {station.Lists[paneScheme], station.Lists[paneLog]})
        SendMessageW(wide, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

// Moved to a monitor of another scale: the fonts and rows follow it, in the rectangle that
// the system suggests.
void OnDpiChanged(TStation& station, const RECT& suggested) {
    ApplyFonts(station);
    SetWindowPos(station.Window, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(station.Window, &client);
    Layout(station, client.right, client.bottom);
}

void OnCreate(TStation& station) {
    CreateControls(station);
    LoadScheme(station);
    MarkSection(station);
    ShowFiles(station);
    PollFiles(station);
    SetTimer(station.Window, PollTimer, PollMs, nullptr);
}

void OnTimer(TStation& station, UINT_PTR timer) {
    if (timer == PollTimer) {
        PollFiles(station);
        return;
    }
    KillTimer(station.Window, timer);
    PostOk(station);
}

LRESULT HandleStationMessage(TStation& station, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND window = station.Window;
    if (IsAnsweredCommand(msg)) {
        NoteArrival(station);
        std::vector<std::string> lines = RunCommand(station, msg);
        lines[0] = std::string(CommandKeyword(static_cast<std::int32_t>(msg))) + ": " + lines[0];
        for (const std::string& line : lines)
            Log(station, line);
        Answer(station);
        return 0;
    }
    switch (msg) {
    case WM_STATION_READY:
        Log(station, station.Setup.Args.Demo ? "Станция готова" : "Станция запущена без пульта");
        Answer(station);
        return 0;
    case QM_QUIT:
        DestroyWindow(window);
        return 0;
    case WM_TIMER:
        OnTimer(station, wParam);
        return 0;
    case WM_SIZE:
        Layout(station, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(station, *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        WriteHandoffs(station);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT TStation::OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        Window = window;
    if (msg == WM_CREATE) {
        OnCreate(*this);
        return 0;
    }
    return HandleStationMessage(*this, msg, wParam, lParam);
}

} // namespace

RECT StationTile(const RECT& work, int index, int count) {
    count = std::max(count, 1);
    index = std::clamp(index, 0, count - 1);
    // The strip is about twice as wide as high: about twice as many columns as rows.
    int columns = 1;
    while (columns < count && columns * columns < 2 * count)
        ++columns;
    const int rows = (count + columns - 1) / columns;
    const int width = work.right - work.left;
    const int height = ScaleInt(work.bottom - work.top, StationTwentieths, WorkAreaTwentieths);
    const int column = index % columns;
    const int row = index / columns;
    return RECT{work.left + ScaleInt(width, column, columns),
                work.top + ScaleInt(height, row, rows),
                work.left + ScaleInt(width, column + 1, columns),
                work.top + ScaleInt(height, row + 1, rows)};
}

int RunStation(HINSTANCE instance, const TStationSetup& setup) {
    const std::wstring className = win::Wide(StationClass);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &win::BoundWindowProc<TStation, &TStation::OnMessage>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassW(&windowClass))
        return 1;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT tile = StationTile(work, setup.Args.Index, setup.Args.Count);
    TStation station;
    station.Setup = setup;
    HWND window = CreateWindowExW(0, className.c_str(), win::Wide(setup.Args.Title).c_str(),
                                  WS_OVERLAPPEDWINDOW, tile.left, tile.top, tile.right - tile.left,
                                  tile.bottom - tile.top, nullptr, nullptr, instance, &station);
    if (!window)
        return 1;
    // The first ShowWindow of a process may be turned into the show state it was started
    // with (the conductor asks for hidden); the station shows itself all the same.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    if (!IsWindowVisible(window))
        ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    PostMessageW(window, WM_STATION_READY, 0, 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
