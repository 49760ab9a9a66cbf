// The keyboard on forms: Enter and Esc press the default and cancel buttons through a filter
// on the main window's hook, and Tab walks the controls in creation order.
#include "toolkit/WinKeys.h"
#include "toolkit/WinLoop.h"
#include "toolkit/WinState.h"

#include <algorithm>
#include <vector>

namespace {

// The filter keeps the hook it was installed over and calls it first. It belongs to one main
// window: a later main window gets it anew.
struct TKeyFilter {
    TWinObj* InstalledOn = nullptr;
    TEventRef Previous;
};

TKeyFilter& Filter() {
    static TKeyFilter filter;
    return filter;
}

bool IsRichEdit(const TWinObj* obj) {
    return obj->ClassName.rfind("RichEdit", 0) == 0;
}

bool CanPress(const TWinObj* button) {
    return button && button->Window && IsWindowVisible(button->Window) && IsEnabled(button);
}

TWinObj* KeyTarget(TWinObj* form, WPARAM key) {
    if (key == VK_ESCAPE)
        return CanPress(form->CancelButton) ? form->CancelButton : nullptr;
    TWinObj* button = form->DefaultButton;
    if (!CanPress(button))
        return nullptr;
    const TWinObj* focused = form->CurrentControl;
    if (focused && focused != button && (focused == form->CancelButton || IsRichEdit(focused)))
        return nullptr;
    return button;
}

bool KeyFilterProc(void*, MSG* msg, LRESULT* result) {
    TKeyFilter& filter = Filter();
    if (filter.Previous &&
        filter.Previous.Proc<bool(void*, MSG*, LRESULT*)>()(filter.Previous.Data, msg, result))
        return true;
    if (Terminated() || (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP) ||
        (msg->wParam != VK_RETURN && msg->wParam != VK_ESCAPE))
        return false;
    TWinObj* main = MainWindow();
    TWinObj* target = main ? KeyTarget(main, msg->wParam) : nullptr;
    if (!target || !PressWithKey(target, *msg))
        return false;
    msg->wParam = 0;
    *result = 0;
    return true;
}

void SetDefaultStyle(TWinObj* button, bool on) {
    if (on)
        button->Style |= BS_DEFPUSHBUTTON;
    else
        button->Style &= ~BS_DEFPUSHBUTTON;
    if (button->Window)
        SendMessageW(button->Window, BM_SETSTYLE, LOWORD(button->Style), TRUE);
}

void InstallFilter(TWinObj* main, bool on) {
    TKeyFilter& filter = Filter();
    const TEventRef self = MakeEventRef(nullptr, KeyFilterProc);
    const bool installed = filter.InstalledOn == main && main->OnMessage.Code == self.Code;
    if (on && !installed) {
        filter.Previous = main->OnMessage;
        main->OnMessage = self;
        filter.InstalledOn = main;
    } else if (!on && installed) {
        main->OnMessage = filter.Previous;
        filter = {};
    }
}

// The next control of the form after `from` in tab order that can take the focus.
TWinObj* NextTabControl(TWinObj* form, const TWinObj* from, bool backwards) {
    std::vector<TWinObj*> order;
    std::vector<TWinObj*> pending{form};
    while (!pending.empty()) {
        TWinObj* obj = pending.back();
        pending.pop_back();
        for (TWinObj* child : obj->Children) {
            if (!child->IsControl)
                continue;
            if (child->TabStop && IsEnabled(child) && child->Window &&
                IsWindowVisible(child->Window))
                order.push_back(child);
            pending.push_back(child);
        }
    }
    if (order.empty())
        return nullptr;
    std::sort(order.begin(), order.end(),
              [](const TWinObj* a, const TWinObj* b) { return a->TabNumber < b->TabNumber; });
    const int n = static_cast<int>(order.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (order[i] == from)
            at = i;
    if (at < 0)
        return order[backwards ? n - 1 : 0];
    return order[(at + (backwards ? n - 1 : 1)) % n]; // wraps at both ends
}

} // namespace

bool PressWithKey(TWinObj* button, const MSG& key) {
    if (!CanPress(button))
        return false;
    if (key.message == WM_KEYDOWN) {
        FormOf(button)->CurrentControl = button;
        SetFocus(button->Window);
    }
    // The button presses itself as on the space bar and reports its click on release.
    SendMessageW(button->Window, key.message, VK_SPACE, key.lParam);
    return true;
}

void SetKeyButton(TWinObj* button, TButtonKey key, bool on) {
    TWinObj* main = MainWindow();
    if (!main)
        return;
    TWinObj* form = FormOf(button);
    TWinObj*& role = key == bkEnter ? form->DefaultButton : form->CancelButton;
    if (on) {
        role = button;
    } else if (role == button) {
        role = nullptr;
    }
    if (key == bkEnter)
        SetDefaultStyle(button, on);
    InstallFilter(main, on);
}

TWinObj* EnableTabKeys(TWinObj* form) {
    form->TabKeys = true;
    return form;
}

bool TabNavigation(TWinObj* control, const MSG& msg) {
    TWinObj* form = FormOf(control);
    if (!form->TabKeys || msg.wParam != VK_TAB)
        return false;
    if (msg.message == WM_CHAR || msg.message == WM_KEYUP)
        return true; // the key press moved the focus; its character is not typed
    if (msg.message != WM_KEYDOWN)
        return false;
    const bool backwards = GetAsyncKeyState(VK_SHIFT) < 0;
    if (TWinObj* next = NextTabControl(form, control, backwards)) {
        form->CurrentControl = next;
        SetFocus(next->Window);
    }
    return true;
}

void EndSession(TWinObj* form) {
    TToolkitState& kit = Toolkit();
    if (form->Window)
        DestroyWindow(form->Window);
    kit.MainWindow = nullptr;
    kit.Terminated = true;
    ExitProcess(0);
}
