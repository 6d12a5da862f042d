// What a screen reader needs to know about a window, read with the Win32 calls any
// program could make: what kind of control it is, its texts, its children, its label.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace accessibility {

enum class Kind { Dialog, Alert, Label, Icon, Edit, PushButton, GroupBox, Other };

Kind kindOf(HWND window);
bool isTopLevel(HWND window);
// The window's text, Windows-1252: an edit's contents, a label's or button's words, a
// dialog's caption.
std::string textOf(HWND window);
// What a person reads as the window's name, UTF-8: mnemonic ampersands dropped; an
// edit takes the name of its label.
std::string nameOf(HWND window);
std::vector<HWND> childrenOf(HWND window);  // in z-order
// The label (a static text or a push button) beside an edit, or null.
HWND labelOf(HWND edit);
// The edits that `label` names.
std::vector<HWND> fieldsNamedBy(HWND label);
// An edit's selection, in characters; the caret is at its end.
void selectionOf(HWND edit, int& start, int& end);

}  // namespace accessibility
