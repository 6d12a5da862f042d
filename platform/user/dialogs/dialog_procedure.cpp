// DefDlgProcA: the window procedure of the dialog class. It calls the dialog procedure
// bound to the window and does the default dialog processing for what that leaves.
#include "user/dialogs/dialog_manager.h"
#include "user/windows/default_proc.h"

namespace user::dialogs {

namespace {

// Messages whose dialog-procedure result is the answer itself; for all others a
// non-zero result only means "handled" and the answer is in DWLP_MSGRESULT.
bool answersDirectly(UINT message) {
    if (isControlColourMessage(message)) return true;
    switch (message) {
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

// The new default button takes the look from whichever push button has it: the old
// default's, or a push button that got it by navigation.
void changeDefaultId(HWND dialog, DialogState& state, WORD id) {
    HWND next = id ? GetDlgItem(dialog, id) : nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != next) setDefaultLook(child, false);
    setDefaultLook(next, true);
    state.defaultId = id;
}

// Notes the control of the dialog that has the focus, to give it back when the dialog is
// activated again.
void rememberFocus(HWND dialog, DialogState& state) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus)) state.lastFocus = focus;
}

// Gives the focus back to the control that had it when the dialog lost the activation,
// unless a control of the dialog has it already. On activation without one, the dialog
// keeps what the activation gave it; the dialog itself getting the focus passes it on to
// the first tab stop. A dialog that has ended keeps the focus off its controls.
void restoreFocus(HWND dialog, DialogState& state, bool activated) {
    HWND focus = GetFocus();
    if (state.ended || (focus && IsChild(dialog, focus))) return;
    if (state.lastFocus && IsWindow(state.lastFocus) && IsChild(dialog, state.lastFocus) &&
        IsWindowEnabled(state.lastFocus))
        SetFocus(state.lastFocus);
    else if (!activated && focus == dialog)
        if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) setDialogFocus(dialog, first);
}

LRESULT fillBackground(HWND dialog, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(
            DefWindowProcA(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    if (brush) {
        RECT client{};
        GetClientRect(dialog, &client);
        FillRect(dc, &client, brush);
    }
    return 1;
}

LRESULT defaultProcessing(HWND dialog, DialogState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return fillBackground(dialog, reinterpret_cast<HDC>(wParam));
    case DM_GETDEFID:
        return state.defaultId ? MAKELRESULT(state.defaultId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
        changeDefaultId(dialog, state, static_cast<WORD>(wParam));
        return TRUE;
    case WM_CLOSE: {
        // Closing is cancelling, unless the Cancel button is disabled.
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel))
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_NEXTDLGCTL: {
        HWND target = reinterpret_cast<HWND>(wParam);
        if (!LOWORD(lParam)) {
            HWND focus = GetFocus();
            target = GetNextDlgTabItem(dialog, IsChild(dialog, focus) ? focus : nullptr, wParam != 0);
        }
        if (target && IsChild(dialog, target)) navigateTo(dialog, target);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            rememberFocus(dialog, state);
        else
            restoreFocus(dialog, state, true);
        return 0;
    case WM_SETFOCUS:
        restoreFocus(dialog, state, false);
        return 0;
    case WM_SETFONT:
        state.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(dialog, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    default:
        return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

}  // namespace

}  // namespace user::dialogs

using namespace user::dialogs;

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (Msg == WM_NCDESTROY) {
        // The dialog procedure still sees the last message; the state goes after it.
        auto state = stateOf(hDlg);
        if (state && state->procedure) state->procedure(hDlg, Msg, wParam, lParam);
        detachState(hDlg);
        return DefWindowProcA(hDlg, Msg, wParam, lParam);
    }
    // Every window of the dialog class has a state from its first message on; the dialog
    // procedure is bound to it once the window exists.
    auto state = stateOf(hDlg);
    if (!state) state = attachState(hDlg, nullptr);
    if (state->procedure) {
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
        INT_PTR handled = state->procedure(hDlg, Msg, wParam, lParam);
        if (!IsWindow(hDlg)) return handled;
        if (handled) return answersDirectly(Msg) ? handled : GetWindowLongPtrA(hDlg, DWLP_MSGRESULT);
    }
    return defaultProcessing(hDlg, *state, Msg, wParam, lParam);
}

// The system font's dialog base units.

LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(kSystemBaseUnitX, kSystemBaseUnitY); }
