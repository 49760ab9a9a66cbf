#pragma once
// Window objects: one type, TWinObj, stands for every window of the toolkit (form, panel,
// label, button, rich text box). An object exists before its window and remembers every
// setting, so that the window can be created on first need, parents before children.

#include "os/WinHandle.h"
#include "util/ColorValue.h"
#include "util/EventRef.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TWinObj;

struct TWinFont {
    std::uint32_t Color = SysColor(scWindowText);
    LOGFONTA Log{};
    TWinObj* Owner = nullptr; // told of every change
    win::TFont Handle;        // made on first need, dropped on every change

    TWinFont();
    HFONT Get();
};

enum TAlign : std::uint8_t { alNone, alLeft, alTop, alRight, alBottom, alClient };

enum TPanelEdge : std::uint8_t { peRaised, peSunken, peNone };

// What a rich text box does besides showing text; bits to combine.
enum TRichEditOption : unsigned {
    roWrapLines = 1u << 0, // no horizontal scrolling
    roNoVScroll = 1u << 1,
    roKeepSelection = 1u << 4, // the selection stays shown without the focus
    roReadOnly = 1u << 7,
    roWantReturn = 1u << 9, // Enter makes a new line
};

// Bits to combine.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// What differs between the kinds of control.
struct TKindActions {
    WORD ClickCode; // the notification that counts as a click
    void (*Clear)(TWinObj* obj);
};

struct TWinObj {
    TWinObj* Parent = nullptr;
    std::vector<TWinObj*> Children; // owned

    bool IsControl = false;
    HWND Window = nullptr;
    std::string ClassName;
    bool ExplicitClassName = false;
    UINT ClassStyle = CS_OWNDC;
    DWORD Style = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = 0;
    WNDPROC DefaultProc = nullptr; // the system class's procedure; none: DefWindowProcW

    std::string Caption;
    RECT Bounds{};
    bool LeftSet = false;
    bool TopSet = false;

    std::uint32_t TextColor = SysColor(scWindowText);
    std::uint32_t BkColor = SysColor(scBtnFace);
    bool Transparent = false;
    bool Look3D = true;
    std::unique_ptr<TWinFont> Font;
    win::TBrush Brush;
    std::uint32_t BrushColor = 0;

    TAlign Align = alNone;
    int Border = 2;
    RECT Margins{};

    TEventRef OnClick;   // code(data, sender)
    TEventRef OnMessage; // code(data, MSG*, LRESULT* result) -> bool: true consumes
    TEventRef OnClose;   // code(data, sender) -> bool: false refuses
    // Forms: the window has moved to a monitor of another scale, and has taken the rectangle
    // that the system suggests. code(data, sender, dots per inch)
    TEventRef OnDpiChanged;

    int Id = 0;        // controls: the child window identifier
    int TabNumber = 0; // controls: the creation order within the form
    bool TabStop = false;

    // Forms only.
    bool IsForm = false;
    TWinObj* CurrentControl = nullptr;
    TWinObj* DefaultButton = nullptr;
    TWinObj* CancelButton = nullptr;
    int TabCounter = 0;
    bool TabKeys = false;

    const TKindActions* Actions = nullptr;
    bool CreatedHidden = false;
};

// Creation. Each object is a child of `parent`, which owns it; a form without a parent is the
// caller's to release. The window is created later, on first need.
TWinObj* MakeForm(TWinObj* parent, const std::string& caption);
TWinObj* MakePanel(TWinObj* parent, TPanelEdge edge);
TWinObj* MakeLabel(TWinObj* parent, const std::string& caption);
TWinObj* MakeButton(TWinObj* parent, const std::string& caption);
// OPTIONS: TRichEditOption bits.
TWinObj* MakeRichEdit(TWinObj* parent, unsigned options);

// Placement: all go through one bounds setter, which moves an existing window only when the
// rectangle really changes.
void SetBounds(TWinObj* obj, const RECT& bounds);
void SetLeft(TWinObj* obj, int x);
void SetTop(TWinObj* obj, int y);
void SetWidth(TWinObj* obj, int w);
void SetHeight(TWinObj* obj, int h);
void SetAlign(TWinObj* obj, TAlign align);
// Re-docks the aligned children of `parent` in its client area.
void DockChildren(TWinObj* parent);

// Appearance.
void SetCaption(TWinObj* obj, const std::string& text);
void SetEnabled(TWinObj* obj, bool on);
bool IsEnabled(const TWinObj* obj);
void SetWindowClassName(TWinObj* form, const std::string& name);
TWinFont& FontOf(TWinObj* obj);
void SetFontHeight(TWinFont& font, LONG height);
void SetFontStyle(TWinFont& font, unsigned bits); // TFontStyle bits
void ClearText(TWinObj* obj);
bool IsFocused(const TWinObj* obj);
// The brush of the object's background colour, re-made when the colour has changed.
HBRUSH BackgroundBrush(TWinObj* obj);
// The form a control belongs to; a form is its own.
TWinObj* FormOf(TWinObj* obj);

// Lifetime.
HWND EnsureWindow(TWinObj* obj);
// Creates the window now, visible: what the message loop does for its form.
HWND ShowObjWindow(TWinObj* obj);
LRESULT SendObjMessage(TWinObj* obj, UINT msg, WPARAM wParam, LPARAM lParam);
// Destroys the object with its window and its children; nothing for none.
void FreeObj(TWinObj* obj);
