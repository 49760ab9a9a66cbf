// Placement: the one bounds setter, its four edge setters, and docking of aligned children.
#include "toolkit/WinObj.h"
#include "toolkit/WinState.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The window's rectangle in its parent's client coordinates (the screen's for a form).
RECT WindowBounds(const TWinObj* obj) {
    RECT r;
    GetWindowRect(obj->Window, &r);
    if (HWND parent = GetParent(obj->Window); parent && obj->IsControl)
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT CurrentBounds(const TWinObj* obj) {
    return obj->Window ? WindowBounds(obj) : obj->Bounds;
}

bool IsShown(const TWinObj* obj) {
    return (obj->Style & WS_VISIBLE) || obj->CreatedHidden;
}

RECT ClientBounds(const TWinObj* obj) {
    RECT r{0, 0, obj->Bounds.right - obj->Bounds.left, obj->Bounds.bottom - obj->Bounds.top};
    if (obj->Window)
        GetClientRect(obj->Window, &r);
    return r;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// Places one docked child in the free rectangle and takes its room from it.
void DockOne(TWinObj* child, RECT& free, int b) {
    const RECT cur = CurrentBounds(child);
    RECT r = cur;
    switch (child->Align) {
    case alTop:
        r = {free.left + b, free.top + b, free.right - b, free.top + b + Height(cur)};
        free.top += Height(cur) + b;
        break;
    case alBottom:
        r = {free.left + b, free.bottom - b - Height(cur), free.right - b, free.bottom - b};
        free.bottom -= Height(cur) + b;
        break;
    case alLeft:
        r = {free.left + b, free.top + b, free.left + b + Width(cur), free.bottom - b};
        free.left += Width(cur) + b;
        break;
    case alRight:
        r = {free.right - b - Width(cur), free.top + b, free.right - b, free.bottom - b};
        free.right -= Width(cur) + b;
        break;
    case alClient:
        r = {free.left + b, free.top + b, free.right - b, free.bottom - b};
        break;
    case alNone:
        return;
    }
    SetBounds(child, r);
}

} // namespace

void SetBounds(TWinObj* obj, const RECT& bounds) {
    const RECT cur = CurrentBounds(obj);
    if (SameRect(cur, bounds))
        return;
    if (bounds.left != cur.left)
        obj->LeftSet = true;
    if (bounds.top != cur.top)
        obj->TopSet = true;
    obj->Bounds = bounds;
    if (obj->Window)
        SetWindowPos(obj->Window, nullptr, bounds.left, bounds.top, Width(bounds), Height(bounds),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetLeft(TWinObj* obj, int x) {
    RECT r = CurrentBounds(obj);
    SetBounds(obj, {x, r.top, x + Width(r), r.bottom});
}

void SetTop(TWinObj* obj, int y) {
    RECT r = CurrentBounds(obj);
    SetBounds(obj, {r.left, y, r.right, y + Height(r)});
}

void SetWidth(TWinObj* obj, int w) {
    RECT r = CurrentBounds(obj);
    SetBounds(obj, {r.left, r.top, r.left + w, r.bottom});
}

void SetHeight(TWinObj* obj, int h) {
    RECT r = CurrentBounds(obj);
    SetBounds(obj, {r.left, r.top, r.right, r.top + h});
}

void SetAlign(TWinObj* obj, TAlign align) {
    obj->Align = align;
    if (align != alNone)
        Toolkit().AnyAligned = true;
    if (obj->Parent)
        DockChildren(obj->Parent);
}

void DockChildren(TWinObj* parent) {
    RECT free = ClientBounds(parent);
    free.left += parent->Margins.left;
    free.top += parent->Margins.top;
    free.right -= parent->Margins.right;
    free.bottom -= parent->Margins.bottom;
    const int b = parent->Border;
    // Top and bottom take the full width first, then left and right, then the rest.
    const TAlign passes[3][2] = {{alTop, alBottom}, {alLeft, alRight}, {alClient, alClient}};
    for (const auto& pass : passes)
        for (TWinObj* child : parent->Children)
            if (IsShown(child) && (child->Align == pass[0] || child->Align == pass[1]))
                DockOne(child, free, b);
}
