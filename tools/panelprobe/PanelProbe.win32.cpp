#include "tools/panelprobe/PanelProbe.h"

#include "os/Wide.h"
#include "protocol/QPanelTexts.h"
#include "protocol/QWindowNames.h"
#include "util/LineBreaks.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace {

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool SameTextIgnoringCase(const std::string& a, const char* b) {
    return lstrcmpiA(a.c_str(), b) == 0;
}

// Calls VISIT for every descendant of PARENT, or every top-level window when PARENT is null.
void ForEachWindow(HWND parent, const std::function<void(HWND)>& visit) {
    auto callback = [](HWND window, LPARAM context) -> BOOL {
        (*reinterpret_cast<const std::function<void(HWND)>*>(context))(window);
        return TRUE;
    };
    const LPARAM context = reinterpret_cast<LPARAM>(&visit);
    if (parent)
        EnumChildWindows(parent, callback, context);
    else
        EnumWindows(callback, context);
}

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

bool IsPanelLabel(const std::string& text) {
    return text.rfind(WaitingPrefix, 0) == 0 || text == ReadyText || text == LoadingText;
}

} // namespace

std::string WindowTextOf(HWND window) {
    // The wide message: Wine carries the narrow one of some controls between processes
    // without converting it, and the text then compares with the system's texts on any
    // system code page.
    DWORD_PTR length = 0;
    if (!window ||
        !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length))
        return {};
    std::wstring wide(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()),
                             SMTO_ABORTIFHUNG, 1000, &copied))
        return {};
    wide.resize(std::min<std::size_t>(copied, length));
    return win::Narrow(wide);
}

bool FindPanel(DWORD processId, TPanel& panel) {
    if (!panel.Form || !IsWindow(panel.Form)) {
        panel = TPanel{};
        ForEachWindow(nullptr, [&](HWND window) {
            if (!panel.Form && ProcessOf(window) == processId &&
                SameTextIgnoringCase(ClassNameOf(window), ConductorClass))
                panel.Form = window;
        });
        if (!panel.Form)
            return false;
    }
    ForEachWindow(panel.Form, [&](HWND child) {
        // Controls may be made of classes derived from the system's, named after them.
        std::string windowClass = ClassNameOf(child);
        CharLowerA(windowClass.data());
        if (!panel.Button && windowClass.find("button") != std::string::npos)
            panel.Button = child;
        else if (!panel.Comment && windowClass.find("richedit") != std::string::npos)
            panel.Comment = child;
        else if (!panel.Label && IsPanelLabel(WindowTextOf(child)))
            panel.Label = child;
    });
    return panel.Button != nullptr;
}

namespace {

TPanelView ReadOnce(TPanel& panel) {
    TPanelView view;
    view.Enabled = IsWindowEnabled(panel.Button) != FALSE;
    view.Caption = WindowTextOf(panel.Button);
    if (!panel.Label)
        FindPanel(ProcessOf(panel.Form), panel);
    view.Label = WindowTextOf(panel.Label);
    view.Comment = WithoutLineBreaks(WindowTextOf(panel.Comment));
    return view;
}

} // namespace

// The panel changes its controls one after another, and each read waits for it to be idle,
// so a single pass may mix the step before with the step after: a view is whole when two
// passes in a row agree.
TPanelView ReadPanel(TPanel& panel) {
    TPanelView view = ReadOnce(panel);
    for (int pass = 0; pass < 4; ++pass) {
        TPanelView again = ReadOnce(panel);
        if (again == view)
            break;
        view = std::move(again);
    }
    return view;
}

std::vector<std::string> AwaitedStations(const std::string& label) {
    std::vector<std::string> names;
    if (label.rfind(WaitingPrefix, 0) != 0)
        return names;
    std::size_t start = std::string_view(WaitingPrefix).size();
    for (std::size_t comma = label.find(',', start);; comma = label.find(',', start)) {
        names.push_back(label.substr(start, comma - start));
        if (comma == std::string::npos)
            return names;
        start = comma + 1;
    }
}

std::vector<TStationWindow> StationWindows() {
    std::vector<TStationWindow> stations;
    ForEachWindow(nullptr, [&](HWND window) {
        if (SameTextIgnoringCase(ClassNameOf(window), StationClass))
            stations.push_back({window, ProcessOf(window), WindowTextOf(window)});
    });
    return stations;
}

bool AnyPanel() {
    return FindWindowA(ConductorClass, nullptr) != nullptr;
}

std::vector<TMessageBox> MessageBoxesOf(DWORD processId) {
    std::vector<TMessageBox> boxes;
    ForEachWindow(nullptr, [&](HWND window) {
        if (ProcessOf(window) != processId || !IsWindowVisible(window) ||
            ClassNameOf(window) != "#32770")
            return;
        TMessageBox box{window, {}};
        ForEachWindow(window, [&](HWND child) {
            if (SameTextIgnoringCase(ClassNameOf(child), "Static")) {
                const std::string text = WithoutLineBreaks(WindowTextOf(child));
                if (!text.empty())
                    box.Text += (box.Text.empty() ? "" : " ") + text;
            }
        });
        boxes.push_back(box);
    });
    return boxes;
}

void DismissMessageBox(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}
