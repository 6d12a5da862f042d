// Keyboard navigation in dialogs: IsDialogMessageA (Tab, arrows, Enter, Escape), the tab
// order, the groups arrows move in,
// and where the focus and the default-button look go when the dialog manager moves
// the focus.
#include "user/dialogs/dialog_manager.h"

#include <algorithm>
#include <vector>

namespace user::dialogs {

namespace {

bool isTabStop(HWND control) {
    LONG style = GetWindowLongA(control, GWL_STYLE);
    // The style bits, not IsWindowVisible: the tab order is asked for before the dialog shows.
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// The child of the dialog that holds this window, or null when it is not inside it.
HWND directChild(HWND dialog, HWND window) {
    while (window && GetParent(window) != dialog) window = GetParent(window);
    return window;
}

LRESULT dialogCode(HWND control, const MSG* msg) {
    return SendMessageA(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

std::vector<HWND> childrenOf(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// Where an arrow key moves the focus from `control`: the next (or previous) control of
// its group, wrapping round inside the group, that is visible, enabled and takes input.
// A group runs from a WS_GROUP control (or the first control) to the control before the
// next WS_GROUP one. Labels and group boxes (DLGC_STATIC) are passed over: they take no
// input and show no focus. Null when no other control qualifies.
HWND nextInGroup(HWND dialog, HWND control, bool previous) {
    std::vector<HWND> children = childrenOf(dialog);
    auto at = std::find(children.begin(), children.end(), control);
    if (at == children.end()) return nullptr;
    auto groupStarts = [](HWND child) { return (GetWindowLongA(child, GWL_STYLE) & WS_GROUP) != 0; };
    size_t index = static_cast<size_t>(at - children.begin());
    size_t first = index;
    while (first > 0 && !groupStarts(children[first])) --first;
    size_t end = index + 1;
    while (end < children.size() && !groupStarts(children[end])) ++end;
    size_t size = end - first;
    for (size_t step = 1; step < size; ++step) {
        HWND candidate = children[first + (previous ? index - first + size - step : index - first + step) % size];
        LONG style = GetWindowLongA(candidate, GWL_STYLE);
        if ((style & WS_VISIBLE) && !(style & WS_DISABLED) && !(dialogCode(candidate, nullptr) & DLGC_STATIC))
            return candidate;
    }
    return nullptr;
}

void sendCommand(HWND dialog, WORD id, HWND control) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Enter: a focused push button is clicked; otherwise the default id is commanded, with
// its control when one has that id (whatever kind of control it is).
void pressDefault(HWND dialog, HWND focus, LRESULT code) {
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && IsWindowEnabled(focus)) {
        sendCommand(dialog, static_cast<WORD>(GetDlgCtrlID(focus)), focus);
        return;
    }
    LRESULT defaultId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    WORD id = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control)) return;
    sendCommand(dialog, id, control);
}

bool handleDialogKey(HWND dialog, const MSG& msg) {
    LRESULT code = dialogCode(msg.hwnd, &msg);
    if (code & DLGC_WANTMESSAGE) return false;
    switch (msg.wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB) return false;
        SendMessageA(dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, 0);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        // An edit keeps its arrows; elsewhere they move through the control's group, so
        // a keyboard user who clicked one button reaches the others.
        if ((code & DLGC_WANTARROWS) || GetParent(msg.hwnd) != dialog) return false;
        HWND next = nextInGroup(dialog, msg.hwnd, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
        if (next) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        return true;
    }
    case VK_ESCAPE:
        sendCommand(dialog, IDCANCEL, GetDlgItem(dialog, IDCANCEL));
        return true;
    case VK_RETURN:
        pressDefault(dialog, msg.hwnd, code);
        return true;
    default:
        return false;
    }
}

}  // namespace

bool isPushButton(HWND control) {
    if (!control || !(dialogCode(control, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return false;
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

void setDefaultLook(HWND control, bool isDefault) {
    if (!isPushButton(control)) return;
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    LONG wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (type != wanted) SendMessageA(control, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
}

void setDialogFocus(HWND dialog, HWND control) {
    if (dialogCode(control, nullptr) & DLGC_HASSETSEL) SendMessageA(control, EM_SETSEL, 0, -1);
    SetFocus(control);
}

void navigateTo(HWND dialog, HWND control) {
    HWND previous = GetFocus();
    auto state = stateOf(dialog);
    HWND defaultButton = state && state->defaultId ? GetDlgItem(dialog, state->defaultId) : nullptr;
    // A push button reached this way is the one Enter presses, so it looks like the
    // default; when the focus leaves push buttons the look returns to the dialog's default
    // button.
    if (previous != control && previous && IsChild(dialog, previous) && previous != defaultButton)
        setDefaultLook(previous, false);
    if (isPushButton(control)) {
        if (defaultButton != control) setDefaultLook(defaultButton, false);
        setDefaultLook(control, true);
    } else {
        setDefaultLook(defaultButton, true);
    }
    setDialogFocus(dialog, control);
}

}  // namespace user::dialogs

using namespace user::dialogs;

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!hDlg) return nullptr;
    std::vector<HWND> children = childrenOf(hDlg);
    size_t count = children.size();
    if (count == 0) return nullptr;

    // Start from the control's position (or just outside the list without one) and walk
    // the creation order round, forwards or backwards, to the next tab stop.
    HWND from = hCtl ? directChild(hDlg, hCtl) : nullptr;
    size_t start = bPrevious ? 0 : count - 1;
    for (size_t i = 0; from && i < count; ++i)
        if (children[i] == from) start = i;
    for (size_t step = 1; step <= count; ++step) {
        size_t index = bPrevious ? (start + count - step) % count : (start + step) % count;
        if (isTabStop(children[index])) return children[index];
    }
    // With no other tab stop the focus stays where it is (and Tab selects an edit's text).
    return hCtl;
}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
    if (!hDlg || !lpMsg || (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd))) return FALSE;
    if (lpMsg->message == WM_KEYDOWN && handleDialogKey(hDlg, *lpMsg)) return TRUE;
    // Everything else that belongs to the dialog is delivered here, as on Win32.
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return TRUE;
}
