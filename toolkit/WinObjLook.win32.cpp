// What an object looks like: caption, enabled state, colours, brush and font. Each setter
// stores the value and applies it to the window when there is one.
#include "toolkit/WinObj.h"

#include "os/Wide.h"

#include <cstring>

TWinFont::TWinFont() {
    Log.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(Log.lfFaceName, "MS Sans Serif");
}

HFONT TWinFont::Get() {
    if (!Handle)
        Handle.reset(CreateFontIndirectA(&Log));
    return Handle.get();
}

namespace {

void Repaint(TWinObj* obj) {
    if (obj->Window)
        InvalidateRect(obj->Window, nullptr, TRUE);
}

// The font has changed: the handle is made again on next need, and the owner takes it.
void FontChanged(TWinFont& font) {
    font.Handle.reset();
    TWinObj* owner = font.Owner;
    if (!owner)
        return;
    owner->TextColor = font.Color;
    if (owner->Window) {
        SendMessageW(owner->Window, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        Repaint(owner);
    }
}

} // namespace

void SetCaption(TWinObj* obj, const std::string& text) {
    obj->Caption = text;
    if (obj->Window) {
        SetWindowTextW(obj->Window, win::Wide(obj->Caption).c_str());
        Repaint(obj);
    }
}

bool IsEnabled(const TWinObj* obj) {
    return !(obj->Style & WS_DISABLED);
}

void SetEnabled(TWinObj* obj, bool on) {
    if (IsEnabled(obj) == on)
        return;
    if (on)
        obj->Style &= ~WS_DISABLED;
    else
        obj->Style |= WS_DISABLED;
    if (obj->Window)
        EnableWindow(obj->Window, on);
}

void SetWindowClassName(TWinObj* form, const std::string& name) {
    form->ClassName = name;
    form->ExplicitClassName = true;
}

TWinFont& FontOf(TWinObj* obj) {
    if (!obj->Font) {
        obj->Font = std::make_unique<TWinFont>();
        obj->Font->Color = obj->TextColor;
        obj->Font->Owner = obj;
    }
    return *obj->Font;
}

void SetFontHeight(TWinFont& font, LONG height) {
    if (font.Log.lfHeight == height)
        return;
    font.Log.lfHeight = height;
    FontChanged(font);
}

void SetFontStyle(TWinFont& font, unsigned bits) {
    LOGFONTA log = font.Log;
    if (bits & fsBold) {
        if (log.lfWeight < FW_BOLD)
            log.lfWeight = FW_BOLD;
    } else if (log.lfWeight >= FW_BOLD) {
        log.lfWeight = 0;
    }
    log.lfItalic = (bits & fsItalic) ? 1 : 0;
    log.lfUnderline = (bits & fsUnderline) ? 1 : 0;
    log.lfStrikeOut = (bits & fsStrikeOut) ? 1 : 0;
    if (std::memcmp(&log, &font.Log, sizeof log) == 0)
        return;
    font.Log = log;
    FontChanged(font);
}

void ClearText(TWinObj* obj) {
    obj->Actions->Clear(obj);
}

TWinObj* FormOf(TWinObj* obj) {
    while (obj->IsControl && obj->Parent)
        obj = obj->Parent;
    return obj;
}

bool IsFocused(const TWinObj* obj) {
    if (!obj->IsControl)
        return obj->Window && GetForegroundWindow() == obj->Window;
    return FormOf(const_cast<TWinObj*>(obj))->CurrentControl == obj;
}

HBRUSH BackgroundBrush(TWinObj* obj) {
    if (!obj->Brush || obj->BrushColor != obj->BkColor) {
        obj->Brush.reset(CreateSolidBrush(ColorToRGB(obj->BkColor)));
        obj->BrushColor = obj->BkColor;
    }
    return obj->Brush.get();
}
