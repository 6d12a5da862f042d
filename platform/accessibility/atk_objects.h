// The ATK objects that stand for the program and its windows on the accessibility bus.
// Each window's object answers from the window itself, read when asked; whatever a client
// asks to be done (a click, typing, a new selection, the focus) is posted to the window as
// the input it stands for, so it happens in the program's own message loop, as input does,
// and never inside a request of the bus.
#pragma once

// windows.h first: its TRUE and FALSE are the ones GLib then leaves alone.
#include <windows.h>

#include <atk/atk.h>

#include <vector>

namespace accessibility {

AtkObject* newApplicationAccessible(const char* name);
// An object of the type that fits the window's kind (a text for labels, an editable text
// for edits, an action for push buttons, a window for dialogs).
AtkObject* newWindowAccessible(HWND window);

// Provided by the tree (accessible_tree.cpp).
AtkObject* applicationAccessible();
AtkObject* accessibleFor(HWND window);  // null for no window or one that is gone
std::vector<HWND> shownTopLevels();     // the application's children, in order

}  // namespace accessibility
