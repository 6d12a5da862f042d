// The dialog manager's own bookkeeping, shared by its parts: template dialogs, the modal
// loop, the default dialog procedure, keyboard navigation and the message box.
#pragma once

#include <windows.h>

#include <memory>

namespace user::dialogs {

// Base units of the system font, for dialogs without a font of their own
// (GetDialogBaseUnits).
constexpr int kSystemBaseUnitX = 8;
constexpr int kSystemBaseUnitY = 16;

// What the dialog manager keeps for one dialog window, from the moment a dialog
// procedure is bound to it until the window is destroyed.
struct DialogState {
    DLGPROC procedure = nullptr;
    HFONT font = nullptr;       // WM_SETFONT / WM_GETFONT of the dialog itself
    HFONT ownedFont = nullptr;  // created from the template; deleted with the window
    int baseUnitX = kSystemBaseUnitX;
    int baseUnitY = kSystemBaseUnitY;
    WORD defaultId = IDOK;     // DM_GETDEFID starts with IDOK, as on Win32
    HWND lastFocus = nullptr;  // the control to give the focus back to on activation
    // Modal run
    HWND owner = nullptr;          // activated again when the dialog ends
    HWND disabledOwner = nullptr;  // the owner this dialog disabled, until it is enabled again
    bool ended = false;
    INT_PTR result = 0;
};

// The state of a dialog window, or null for windows that have none.
std::shared_ptr<DialogState> stateOf(HWND dialog);
// Binds a dialog procedure to a window of the dialog class and returns its new state.
std::shared_ptr<DialogState> attachState(HWND dialog, DLGPROC procedure);
void detachState(HWND dialog);

// A dialog's font and the base units that turn its dialog units into pixels: the
// average character width + 1 and the character height. No font: the system's units.
struct DialogFont {
    HFONT font = nullptr;
    int baseUnitX = kSystemBaseUnitX;
    int baseUnitY = kSystemBaseUnitY;
};
DialogFont createDialogFont(WORD pointSize, const char* faceName);

// Runs a created, still hidden dialog modally: disables the owner, sends WM_INITDIALOG,
// shows it (at once, or when the queue first runs empty) and gives it the focus, pumps
// messages until EndDialog, then destroys it and returns the result.
INT_PTR runModal(HWND dialog, HWND owner, LPARAM initParam, bool showAtOnce);

// Gives a control of a dialog the focus the way the dialog manager does when it chooses
// the focus (an edit's text selected); the default-button look stays where it is.
void setDialogFocus(HWND dialog, HWND control);
// Moves the focus by navigation (Tab, WM_NEXTDLGCTL): as setDialogFocus, and a push
// button reached this way looks like the default one until the focus leaves it.
void navigateTo(HWND dialog, HWND control);

// A real push button (BS_PUSHBUTTON or BS_DEFPUSHBUTTON; never an owner-drawn one).
bool isPushButton(HWND control);
// Draws a push button as the default one or as an ordinary one (BM_SETSTYLE when the
// look changes); other controls are left alone.
void setDefaultLook(HWND control, bool isDefault);

// The top-level window that owns a dialog given this window as its owner.
HWND ownerWindowFor(HWND window);

}  // namespace user::dialogs
