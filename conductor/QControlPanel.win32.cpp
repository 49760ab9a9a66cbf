#include "conductor/QControlPanel.h"

#include "os/Dpi.h"
#include "protocol/QPanelTexts.h"
#include "protocol/QWindowNames.h"
#include "toolkit/WinLoop.h"
#include "util/TextUtils.h"

TWinObj* PanelForm = nullptr;
TWinObj* TopBar = nullptr;
TWinObj* StateLabel = nullptr;
TWinObj* NextButton = nullptr;
TWinObj* CommentBox = nullptr;

namespace {

void PlaceOnWorkArea(TWinObj* form) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const TPanelRows rows = PanelRows(work);
    SetTop(form, rows.Top);
    SetHeight(form, rows.Height);
    SetLeft(form, work.left);
    SetWidth(form, work.right - work.left);
}

void Place(TWinObj* obj, const RECT& r) {
    SetLeft(obj, r.left);
    SetTop(obj, r.top);
    SetWidth(obj, r.right - r.left);
    SetHeight(obj, r.bottom - r.top);
}

void OnDpiChanged(void*, TWinObj*, UINT dpi) {
    ScalePanel(dpi);
}

} // namespace

void ScalePanel(UINT dpi) {
    const TPanelLayout layout = PanelLayout(dpi);
    for (TWinObj* obj : {PanelForm, TopBar, StateLabel, NextButton, CommentBox})
        SetFontHeight(FontOf(obj), layout.FontHeight);
    PanelForm->Border = layout.Border;
    SetHeight(TopBar, layout.BarHeight);
    Place(StateLabel, layout.Label);
    Place(NextButton, layout.Button);
    DockChildren(PanelForm);
}

void BuildControlPanel(TEventRef messageHook, TEventRef clickHandler) {
    PanelForm = MakeForm(nullptr, "Пульт управления демонстрацией");
    // Stations find the conductor by this class.
    SetWindowClassName(PanelForm, ConductorClass);
    EnableTabKeys(PanelForm);
    PlaceOnWorkArea(PanelForm);
    // Before SetKeyButton: its keyboard filter keeps a hook that is there and calls it first.
    PanelForm->OnMessage = messageHook;
    SetFontHeight(FontOf(PanelForm), -11);
    SetMainWindow(PanelForm);

    TopBar = MakePanel(PanelForm, peNone);
    SetHeight(TopBar, 41);
    SetAlign(TopBar, alTop);

    StateLabel = MakeLabel(TopBar, LoadingText);
    Place(StateLabel, {8, 15, 8 + 112, 15 + 15});
    SetFontStyle(FontOf(StateLabel), fsBold);

    NextButton = MakeButton(TopBar, "Обождите");
    Place(NextButton, {120, 8, 120 + 95, 8 + 25});
    SetKeyButton(NextButton, bkEnter, true);
    SetEnabled(NextButton, false);
    NextButton->OnClick = clickHandler;

    CommentBox = MakeRichEdit(PanelForm, roWrapLines);
    SetAlign(CommentBox, alClient);
    EnsureWindow(CommentBox);
    // The figures above are at 96 dots per inch; the window now knows its monitor's scale.
    ScalePanel(win::DpiOf(PanelForm->Window));
    PanelForm->OnDpiChanged = MakeEventRef(nullptr, &OnDpiChanged);
}

bool HandleClickerKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP)
        return false;
    if (msg.wParam == VK_NEXT) {
        PressWithKey(NextButton, msg);
        return true;
    }
    return msg.wParam == VK_PRIOR;
}
