// The constructors of window objects: their classes, styles, default bounds and inherited
// settings. No window is created here, except by the rich text box's first message.
#include "toolkit/WinObj.h"
#include "toolkit/WinState.h"

#include <richedit.h>

namespace {

constexpr DWORD ClipStyles = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD StaticStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHLIKE;
constexpr DWORD RichEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE;

void ClearCaption(TWinObj* obj) {
    SetCaption(obj, "");
}

const TKindActions FormActions{0, ClearCaption};
const TKindActions StaticActions{0, ClearCaption};
const TKindActions ButtonActions{BN_CLICKED, ClearCaption};
const TKindActions RichEditActions{0, ClearCaption};

TWinObj* NewObj(TWinObj* parent, const char* className, const TKindActions& actions) {
    auto* obj = new TWinObj;
    obj->Parent = parent;
    obj->ClassName = className;
    obj->Actions = &actions;
    if (parent)
        parent->Children.push_back(obj);
    return obj;
}

// A child control starts from its parent's colours, border and font, inside its border.
TWinObj* NewControl(TWinObj* parent, const char* className, DWORD style,
                    const TKindActions& actions) {
    TWinObj* obj = NewObj(parent, className, actions);
    obj->IsControl = true;
    obj->Style = style | ClipStyles;
    obj->TextColor = parent->TextColor;
    obj->BkColor = parent->BkColor;
    obj->Border = parent->Border;
    if (parent->Font) {
        obj->Font = std::make_unique<TWinFont>();
        obj->Font->Color = parent->Font->Color;
        obj->Font->Log = parent->Font->Log;
        obj->Font->Owner = obj;
    }
    const int left = parent->Border;
    const int top = parent->Border + parent->Margins.top;
    obj->Bounds = {left, top, left + 64, top + 64};
    obj->Id = Toolkit().NextControlId++;
    TWinObj* form = FormOf(parent);
    obj->TabNumber = form->TabCounter++;
    obj->TabStop = (style & WS_TABSTOP) != 0;
    if (obj->TabStop && !form->CurrentControl)
        form->CurrentControl = obj;
    return obj;
}

// The rich-edit library is loaded once and kept; the class name follows the library found.
// The wide class of the first, so that the box shows its text on any system code page.
void LoadRichEdit() {
    TToolkitState& kit = Toolkit();
    if (!kit.OleReady)
        kit.OleReady = SUCCEEDED(OleInitialize(nullptr));
    if (!kit.RichEditClass.empty())
        return;
    kit.RichEditClass = "RichEdit20W";
    for (const char* name : {"RICHED20.DLL", "RICHED32.DLL", "RICHED.DLL"}) {
        HMODULE lib = LoadLibraryA(name);
        if (reinterpret_cast<UINT_PTR>(lib) > 32) {
            kit.RichEditLibrary.reset(lib);
            return;
        }
        kit.RichEditClass = "RichEdit";
    }
}

DWORD RichEditOptionStyles(unsigned options) {
    DWORD style = 0;
    if (!(options & roWrapLines))
        style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (!(options & roNoVScroll))
        style |= WS_VSCROLL | ES_AUTOVSCROLL;
    if (options & roKeepSelection)
        style |= ES_NOHIDESEL;
    if (options & roReadOnly)
        style |= ES_READONLY;
    if (options & roWantReturn)
        style |= ES_WANTRETURN;
    return style;
}

} // namespace

TWinObj* MakeForm(TWinObj* parent, const std::string& caption) {
    TWinObj* obj = NewObj(parent, "Form", FormActions);
    obj->IsForm = true;
    obj->ClassStyle |= CS_DBLCLKS;
    obj->Caption = caption;
    return obj;
}

TWinObj* MakePanel(TWinObj* parent, TPanelEdge edge) {
    DWORD style = StaticStyle;
    if (edge == peRaised)
        style |= WS_DLGFRAME;
    else if (edge == peSunken)
        style |= SS_SUNKEN;
    TWinObj* obj = NewControl(parent, "STATIC", style, StaticActions);
    obj->ExStyle = WS_EX_CONTROLPARENT;
    obj->Bounds.right += 36;
    obj->Bounds.bottom += 36;
    return obj;
}

TWinObj* MakeLabel(TWinObj* parent, const std::string& caption) {
    TWinObj* obj = NewControl(parent, "STATIC", StaticStyle, StaticActions);
    obj->Caption = caption;
    obj->Bounds.bottom = obj->Bounds.top + 22;
    return obj;
}

TWinObj* MakeButton(TWinObj* parent, const std::string& caption) {
    TWinObj* obj = NewControl(parent, "BUTTON", ButtonStyle, ButtonActions);
    obj->Caption = caption;
    obj->Bounds.bottom = obj->Bounds.top + 22;
    return obj;
}

TWinObj* MakeRichEdit(TWinObj* parent, unsigned options) {
    LoadRichEdit();
    DWORD style = RichEditStyle | RichEditOptionStyles(options);
    DWORD exStyle = 0;
    if (parent->Look3D) {
        style &= ~WS_BORDER;
        exStyle = WS_EX_CLIENTEDGE;
    }
    TWinObj* obj = NewControl(parent, Toolkit().RichEditClass.c_str(), style, RichEditActions);
    obj->ExStyle = exStyle;
    obj->BkColor = SysColor(scWindow);
    obj->Bounds.right += 36;
    obj->Bounds.bottom += 136;
    // Every send creates the window first: from here on the box and its parents exist.
    SendObjMessage(obj, EM_SETEVENTMASK, 0,
                   ENM_CHANGE | ENM_REQUESTRESIZE | ENM_SELCHANGE | ENM_PROTECTED | ENM_LINK);
    SendObjMessage(obj, EM_SETBKGNDCOLOR, 0, ColorToRGB(SysColor(scWindow)));
    return obj;
}
