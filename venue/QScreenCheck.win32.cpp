#include "venue/QVenueProbes.h"

#include "os/Dpi.h"
#include "os/Wide.h"
#include "os/WinHandle.h"
#include "protocol/QPanelGeometry.h"
#include "util/TextUtils.h"

#include <windows.h>

#include <richedit.h>

#include <vector>

namespace {

// The figures of the screens as they are, not as a program unaware of scaling is shown them.
class TPerMonitorScope {
public:
    TPerMonitorScope() {
        using TSet = DPI_AWARENESS_CONTEXT WINAPI(DPI_AWARENESS_CONTEXT);
        set_ = reinterpret_cast<TSet*>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
        if (set_)
            before_ = set_(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    }
    TPerMonitorScope(const TPerMonitorScope&) = delete;
    TPerMonitorScope& operator=(const TPerMonitorScope&) = delete;
    ~TPerMonitorScope() {
        if (set_ && before_)
            set_(before_);
    }

private:
    DPI_AWARENESS_CONTEXT(WINAPI* set_)(DPI_AWARENESS_CONTEXT) = nullptr;
    DPI_AWARENESS_CONTEXT before_ = nullptr;
};

std::string SizeText(const RECT& r) {
    return IntToDecimal(r.right - r.left) + "x" + IntToDecimal(r.bottom - r.top);
}

std::string ScaleText(UINT dpi) {
    return IntToDecimal(MulDiv(static_cast<int>(dpi), 100, static_cast<int>(win::BaseDpi))) + "%";
}

BOOL CALLBACK NoteMonitor(HMONITOR monitor, HDC, RECT*, LPARAM param) {
    auto& line = *reinterpret_cast<TVenueLine*>(param);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    std::string text = "экран " + IntToDecimal(static_cast<std::int32_t>(line.Details.size()) + 1) +
                       ": " + SizeText(info.rcMonitor) + ", масштаб " +
                       ScaleText(win::MonitorDpi(monitor));
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        text += ", основной";
    line.Details.push_back(text);
    return TRUE;
}

// A hidden comment box of the panel's size, font and wrapping: it counts a comment's lines
// as the panel's own would.
class TCommentGauge {
public:
    TCommentGauge(SIZE box, UINT dpi) : library_(LoadLibraryW(L"riched20.dll")) {
        LOGFONTW font{};
        font.lfHeight = PanelLayout(dpi).FontHeight;
        font.lfCharSet = DEFAULT_CHARSET;
        wcscpy(font.lfFaceName, L"MS Sans Serif");
        font_.reset(CreateFontIndirectW(&font));
        box_.reset(CreateWindowExW(WS_EX_CLIENTEDGE, L"RichEdit20W", L"",
                                   WS_POPUP | WS_VSCROLL | ES_AUTOVSCROLL | ES_MULTILINE, 0, 0,
                                   box.cx, box.cy, nullptr, nullptr, nullptr, nullptr));
        if (box_)
            SendMessageW(box_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    explicit operator bool() const { return static_cast<bool>(box_); }

    int LinesNeeded(const std::string& comment) const {
        SetWindowTextW(box_.get(), win::Wide(comment).c_str());
        return static_cast<int>(SendMessageW(box_.get(), EM_GETLINECOUNT, 0, 0));
    }

    int LinesShown() const {
        RECT text{};
        SendMessageW(box_.get(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        const win::TWindowDC dc(box_.get());
        const win::TSelectObject select(dc.get(), font_.get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        return metrics.tmHeight > 0 ? (text.bottom - text.top) / metrics.tmHeight : 0;
    }

private:
    win::TModule library_;
    win::TFont font_;
    win::TWindow box_;
};

void CheckComments(const TQDemoScript& script, SIZE box, UINT dpi, TVenueLine& line) {
    const TCommentGauge gauge(box, dpi);
    if (!gauge) {
        line.Details.push_back(
            "длину пояснений не удалось проверить: окно для измерения не создано");
        line.State = TVenueState::Warning;
        return;
    }
    std::size_t longest = 0;
    int needed = 0;
    for (std::size_t i = 0; i < script.Steps.size(); ++i)
        if (const int lines = gauge.LinesNeeded(script.Steps[i].Comment); lines > needed) {
            needed = lines;
            longest = i;
        }
    if (script.Steps.empty())
        return;
    const int shown = gauge.LinesShown();
    std::string text = "самое длинное пояснение, шаг " +
                       IntToDecimal(static_cast<std::int32_t>(longest) + 1) + ": строк " +
                       IntToDecimal(needed) + ", видно " + IntToDecimal(shown);
    if (needed > shown) {
        line.State = TVenueState::Warning;
        text += ": не помещается";
    }
    line.Details.push_back(text);
}

} // namespace

TVenueLine ScreensLine(const TQDemoScript& script) {
    const TPerMonitorScope scope;
    TVenueLine line{TVenueState::Ready, "Экраны", {}, {}};
    EnumDisplayMonitors(nullptr, nullptr, &NoteMonitor, reinterpret_cast<LPARAM>(&line));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const POINT middle{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    const UINT dpi = win::MonitorDpi(MonitorFromPoint(middle, MONITOR_DEFAULTTOPRIMARY));
    const TPanelRows rows = PanelRows(work);
    const RECT panel{work.left, rows.Top, work.right, rows.Top + rows.Height};
    line.Found = "пульт " + SizeText(panel) + " в (" + IntToDecimal(panel.left) + ", " +
                 IntToDecimal(panel.top) + "), масштаб " + ScaleText(dpi) + "; станциям остается " +
                 IntToDecimal(rows.Top - work.top) + " пикселей сверху";
    CheckComments(script, CommentBoxSize(panel, dpi), dpi, line);
    return line;
}
