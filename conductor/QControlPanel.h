#pragma once
// The control panel: the conductor's only window, a strip along the bottom of the work area
// with the state label, the button that moves the demonstration on, and the comment box.

#include "protocol/QPanelGeometry.h"
#include "toolkit/WinObj.h"
#include "util/EventRef.h"

extern TWinObj* PanelForm;
extern TWinObj* TopBar; // carries the label and the button
extern TWinObj* StateLabel;
extern TWinObj* NextButton;
extern TWinObj* CommentBox;

// Builds the panel with `messageHook` as the form's OnMessage and `clickHandler` as the
// button's OnClick, and makes it the toolkit's main window. Its windows exist, hidden, when
// this returns, so that stations can find the panel before it is shown.
void BuildControlPanel(TEventRef messageHook, TEventRef clickHandler);

// Lays the built panel out at DPI: fonts, bar, label, button, and the docking.
void ScalePanel(UINT dpi);

// A presentation clicker's keys, seen by the panel's message hook before anything else:
// Page Down presses the button as Enter does, whichever of the panel's controls has the
// focus; Page Up is taken and does nothing, since a demonstration cannot go back. True when
// MSG was one of them.
bool HandleClickerKey(const MSG& msg);
