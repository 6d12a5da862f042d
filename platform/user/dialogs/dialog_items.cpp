// Dialog units (the system's base units, dialog-unit rectangles) and control texts by id.
#include "user/dialogs/dialog_manager.h"

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

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    HWND control = GetDlgItem(hDlg, nIDDlgItem);
    return control ? SetWindowTextA(control, lpString) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    HWND control = GetDlgItem(hDlg, nIDDlgItem);
    if (!control) {
        if (lpString && cchMax > 0)
            lpString[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(control, lpString, cchMax));
}
