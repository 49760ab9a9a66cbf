#pragma once
// Keyboard handling inside the toolkit: Tab navigation and the end of a session.

#include "toolkit/WinObj.h"

// Moves the focus on Tab or Shift+Tab when the control's form has Tab keys; true when the
// message was a navigation key and is consumed.
bool TabNavigation(TWinObj* control, const MSG& msg);

// Windows is ending the session: the form is destroyed and the process ends at once.
[[noreturn]] void EndSession(TWinObj* form);
