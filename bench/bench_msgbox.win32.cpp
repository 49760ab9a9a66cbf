// The dyed message box against the system's own, box and MessageBoxA in turns within one run,
// with a text of 2,000, 100 and 1 lines: the time to the first paint of a window of the box,
// and to the paint of its text; and how many font objects the dyed text makes, counted at the
// program's import of CreateFontIndirectA.
#include "msgbox/QDyedPainter.h"
#include "msgbox/QMsgBox.h"
#include "os/WinHandle.h"
#include "protocol/QWindowNames.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- Counting CreateFontIndirectA -------------------------------------------------------

using TCreateFont = HFONT(WINAPI*)(const LOGFONTA*);
TCreateFont RealCreateFont = nullptr;
long FontsMade = 0;

HFONT WINAPI CountingCreateFont(const LOGFONTA* font) {
    ++FontsMade;
    return RealCreateFont(font);
}

// The program's import address slot of FUNCTION from DLL; null when it imports none.
void** ImportSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

bool CountFonts() {
    void** slot = ImportSlot("gdi32.dll", "CreateFontIndirectA");
    if (!slot)
        return false;
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    RealCreateFont = reinterpret_cast<TCreateFont>(*slot);
    *slot = reinterpret_cast<void*>(&CountingCreateFont);
    VirtualProtect(slot, sizeof *slot, old, &old);
    return true;
}

NONCLIENTMETRICSA Metrics() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

// PIECES words, each in the next of three styles: plain, bold, italic.
TQDyedTextArray AlternatingStyles(int pieces, int styles) {
    TQDyedMessage message;
    const LOGFONTA& font = Metrics().lfMessageFont;
    message.Font.Name = font.lfFaceName;
    message.Font.Height = font.lfHeight;
    for (int i = 0; i < pieces; ++i) {
        message.Font.Bold = i % styles == 1;
        message.Font.Italic = i % styles == 2;
        message.AddText("слово" + std::to_string(i) + " ");
    }
    return message.Pieces;
}

void ReportFonts() {
    if (!CountFonts()) {
        std::printf("fonts: the program imports no CreateFontIndirectA\n");
        return;
    }
    const win::TWindowDC screen(nullptr);
    const win::TMemoryDC memory(CreateCompatibleDC(screen.get()));
    for (int styles : {3, 1}) {
        const TQDyedTextArray pieces = AlternatingStyles(1000, styles);
        TQDyedPainter painter;
        painter.SetLogFont(Metrics().lfMessageFont);
        long laid = 0;
        long painted = 0;
        std::size_t items = 0;
        {
            const TQDyedPainter::TUse use(painter, memory.get());
            FontsMade = 0; // the painter's own font counts: it is the first style's
            painter.CreateObjects();
            const TQDyedLayout layout = Layout(painter, pieces, 600);
            laid = FontsMade;
            for (const TQDyedLine& line : layout.Lines)
                items += line.Items.size();
            FontsMade = 0;
            TQPaintView view;
            view.Width = 600;
            view.Height = layout.Height();
            painter.PaintText(layout.Lines, view);
            painted = FontsMade;
        }
        painter.ReleaseObjects();
        std::printf("fonts: %zu pieces in %d style(s): Layout made %ld, PaintText of all %zu "
                    "runs made %ld\n",
                    pieces.size(), styles, laid, items, painted);
    }
}

// ---- Time to the first paint ----------------------------------------------------------

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Watches the messages this thread takes for two moments of a box: its first window painted,
// and the window that shows the message text painted, when the box is closed. A message posted
// as a paint message is taken comes back right after that paint has been handled.
struct TPaintWatch {
    win::THook Hook;
    HWND First = nullptr; // the windows whose paint is being handled
    HWND Text = nullptr;
    double FirstAt = 0;
    double TextAt = 0;
};
TPaintWatch Watch;

std::string ClassOf(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

bool IsSystemBox(HWND w) {
    return ClassOf(GetAncestor(w, GA_ROOT)) == "#32770";
}

bool IsBoxWindow(HWND w) {
    return IsSystemBox(w) || ClassOf(GetAncestor(w, GA_ROOT)) == BoxClass;
}

// The dyed box's text window; the system box's text control, a static control of id 0xFFFF.
bool IsTextWindow(HWND w) {
    const std::string name = ClassOf(w);
    return name == BoxTextClass ||
           (IsSystemBox(w) && lstrcmpiA(name.c_str(), "Static") == 0 && GetDlgCtrlID(w) == 0xFFFF);
}

void CloseBoxOf(HWND w) {
    const HWND top = GetAncestor(w, GA_ROOT);
    if (IsSystemBox(top))
        PostMessageA(top, WM_COMMAND, IDOK, 0);
    else
        PostMessageA(top, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK MessageHook(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const MSG*>(lp);
    if (code == HC_ACTION && wp == PM_REMOVE && Watch.TextAt == 0) {
        if (m->message == WM_NULL && m->hwnd) {
            if (m->hwnd == Watch.First && Watch.FirstAt == 0)
                Watch.FirstAt = Now();
            if (m->hwnd == Watch.Text) {
                Watch.TextAt = Now();
                CloseBoxOf(m->hwnd);
            }
        } else if (m->message == WM_PAINT) {
            const bool first = !Watch.First && IsBoxWindow(m->hwnd);
            const bool text = !Watch.Text && IsTextWindow(m->hwnd);
            if (first)
                Watch.First = m->hwnd;
            if (text)
                Watch.Text = m->hwnd;
            if (first || text)
                PostMessageA(m->hwnd, WM_NULL, 0, 0);
        }
    }
    return CallNextHookEx(Watch.Hook.get(), code, wp, lp);
}

// Milliseconds from the call of SHOW to each of the two moments; -1 for one not seen.
struct TPaintTimes {
    std::vector<double> First;
    std::vector<double> Text;
};

template <typename F>
void TimePaints(F&& show, TPaintTimes& times) {
    Watch = TPaintWatch{};
    Watch.Hook.reset(SetWindowsHookExA(WH_GETMESSAGE, &MessageHook, nullptr, GetCurrentThreadId()));
    const double start = Now();
    show();
    Watch.Hook.reset();
    auto since = [&](double at) { return at == 0 ? -1 : (at - start) * 1000; };
    times.First.push_back(since(Watch.FirstAt));
    times.Text.push_back(since(Watch.TextAt));
}

double Best(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Show(int lines, const char* name, const char* moment, const std::vector<double>& times) {
    std::printf("%4d lines, %-11s %-13s", lines, name, moment);
    for (double t : times)
        std::printf(" %6.1f", t);
    std::printf(" ms; best %.1f, median %.1f\n", Best(times), Median(times));
}

void Compare(int lines, const char* what, const std::vector<double>& box,
             const std::vector<double>& system) {
    std::printf("%4d lines, TQMsgBox / MessageBoxA, %s: best %.2f, median %.2f\n", lines, what,
                Best(box) / Best(system), Median(box) / Median(system));
}

// The text painted is the moment a reader waits for. The former yardstick set the dyed box's
// text against the system box's first window, which comes before its text.
void ReportFirstPaint(int lines, int rounds) {
    // Wine's own MessageBoxA fails on some long texts (a page fault for 2,000 lines of
    // "Строка N: текст сообщения для сравнения окон."); this one it shows.
    std::string text;
    for (int i = 1; i <= lines; ++i)
        text += "Строка " + std::to_string(i) + ": some message text for comparing.\r\n";
    TPaintTimes box, system;
    for (int round = 0; round < rounds; ++round) {
        TimePaints([&] { MessageBoxA(nullptr, text.c_str(), "Сравнение", MB_OK); }, system);
        TimePaints([&] { TQMsgBox().Execute(text); }, box);
    }
    Show(lines, "MessageBoxA", "first window", system.First);
    Show(lines, "MessageBoxA", "text", system.Text);
    Show(lines, "TQMsgBox", "first window", box.First);
    Show(lines, "TQMsgBox", "text", box.Text);
    Compare(lines, "text painted", box.Text, system.Text);
    Compare(lines, "first window painted", box.First, system.First);
    Compare(lines, "text against the first window", box.Text, system.First);
}

} // namespace

int main() {
    // The first round of each pays for what the process loads once.
    for (int lines : {2000, 100, 1})
        ReportFirstPaint(lines, 9);
    ReportFonts();
    return 0;
}
