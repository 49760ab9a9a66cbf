#include "conductor/QControlPanel.h"

#include "protocol/QPanelTexts.h"
#include "protocol/QWindowNames.h"
#include "toolkit/WinLoop.h"
#include "util/TextUtils.h"

TWinObj* PanelForm = nullptr;
TWinObj* StateLabel = nullptr;
TWinObj* NextButton = nullptr;
TWinObj* CommentBox = nullptr;

TPanelRows PanelRows(const RECT& workArea) {
    const int h = workArea.bottom - workArea.top;
    return {workArea.top + ScaleInt(h, 12, 20), ScaleInt(h, 8, 20)};
}

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

void Place(TWinObj* obj, int left, int top, int width, int height) {
    SetLeft(obj, left);
    SetTop(obj, top);
    SetWidth(obj, width);
    SetHeight(obj, height);
}

} // namespace

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

    TWinObj* topBar = MakePanel(PanelForm, peNone);
    SetHeight(topBar, 41);
    SetAlign(topBar, alTop);

    StateLabel = MakeLabel(topBar, LoadingText);
    Place(StateLabel, 8, 15, 112, 15);
    SetFontStyle(FontOf(StateLabel), fsBold);

    NextButton = MakeButton(topBar, "Обождите");
    Place(NextButton, 120, 8, 95, 25);
    SetKeyButton(NextButton, bkEnter, true);
    SetEnabled(NextButton, false);
    NextButton->OnClick = clickHandler;

    CommentBox = MakeRichEdit(PanelForm, roWrapLines);
    SetAlign(CommentBox, alClient);
    EnsureWindow(CommentBox);
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
