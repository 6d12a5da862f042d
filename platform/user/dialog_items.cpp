// Dialog units: the system's base units and dialog-unit rectangles of a dialog.
#include "user/dialog_manager.h"

using namespace user::dialogs;

LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(kSystemBaseUnitX, kSystemBaseUnitY); }

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    auto state = stateOf(hDlg);
    if (!state || !lpRect)
        return FALSE;
    lpRect->left = MulDiv(lpRect->left, state->baseUnitX, 4);
    lpRect->right = MulDiv(lpRect->right, state->baseUnitX, 4);
    lpRect->top = MulDiv(lpRect->top, state->baseUnitY, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, state->baseUnitY, 8);
    return TRUE;
}
