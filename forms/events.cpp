// The runtime's dialog procedure and the EventContext through which a dialog's handler
// learns about each event.
#include "forms/events.h"

#include "forms/colours.h"
#include "forms/dialog_description.h"
#include "forms/forms_state.h"

#include <windows.h>

namespace {

constexpr char dialogProperty[] = "DLGPTR";

DialogObject* dialogOf(HWND window) {
    return window ? static_cast<DialogObject*>(GetPropA(window, dialogProperty)) : nullptr;
}

bool isColourRequest(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

bool isMouseMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK; }

// A command without a control window: a menu item or accelerator. A dialog has no
// client-area window, so the window-arranging commands only ever reach frame windows.
void forwardWindowCommand(const DialogObject& object, int32_t menuId) {
    if (!object.clientWindow) return;
    switch (menuId) {
    case cascadeWindowsCommand:
        SendMessageA(object.clientWindow, WM_MDICASCADE, 0, 0);
        break;
    case tileWindowsCommand:
        SendMessageA(object.clientWindow, WM_MDITILE, 1, 0);
        break;
    case arrangeIconsCommand:
        SendMessageA(object.clientWindow, WM_MDIICONARRANGE, 0, 0);
        break;
    default:
        break;
    }
}

INT_PTR initialiseDialog(HWND window, WPARAM wParam, LPARAM lParam) {
    DialogObject* dialog = formsState().pendingDialog;
    formsState().pendingDialog = nullptr;
    if (!dialog) return 1;
    SetPropA(window, dialogProperty, dialog);
    dialog->window = window;
    initChildren(*dialog);
    dispatchEvent(*dialog, initialisationMessage, wParam, lParam);
    return 1;  // the platform puts the focus on the first control that takes it
}

}  // namespace

LRESULT dispatchEvent(DialogObject& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const EventContext saved = formsState().eventContext;
    formsState().eventContext.wParam = wParam;
    formsState().eventContext.lParam = lParam;
    formsState().eventContext.window = &dialog;
    int32_t code = static_cast<int32_t>(message);

    switch (message) {
    case WM_CLOSE:
        code = closeMessage;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        formsState().eventContext.controlId = lParam ? GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) : 0;
        formsState().eventContext.wParam = LOWORD(wParam);
        formsState().eventContext.lParam = HIWORD(wParam);
        break;
    case WM_COMMAND:
    case commandMessage:
        if (lParam) {
            code = commandMessage;
            formsState().eventContext.notifyCode = HIWORD(wParam);
            formsState().eventContext.controlId = LOWORD(wParam);
        } else {
            code = menuCommandMessage;
            formsState().eventContext.menuId = LOWORD(wParam);
            forwardWindowCommand(dialog, formsState().eventContext.menuId);
        }
        break;
    case WM_NOTIFY:
        code = commandMessage;
        if (const auto* header = reinterpret_cast<const NMHDR*>(lParam)) {
            formsState().eventContext.notifyCode = static_cast<int32_t>(header->code);
            formsState().eventContext.controlId = static_cast<int32_t>(header->idFrom);
        }
        break;
    case sizeMessage:
        formsState().eventContext.lParam = reinterpret_cast<LPARAM>(dialog.window);
        break;
    default:
        if (isMouseMessage(message)) {
            formsState().eventContext.lParam = static_cast<LPARAM>(wParam);  // the key-state flags
            formsState().eventContext.mouseX = LOWORD(lParam);
            formsState().eventContext.mouseY = HIWORD(lParam);
        }
        break;
    }
    formsState().eventContext.message = code;

    LRESULT result = dialog.handler ? dialog.handler() : 0;

    // Re-entered handlers leave the outer event as they found it; only the last menu id stays.
    const int32_t lastMenuId = formsState().eventContext.menuId;
    formsState().eventContext = saved;
    formsState().eventContext.menuId = lastMenuId;
    return result;
}

int32_t initChildren(DialogObject& dialog) {
    if (!dialog.header) return 0;
    for (const ControlRecord* control = dialog.header->controls; control; control = control->next) {
        if (HWND window = GetDlgItem(dialog.window, control->id)) attachControlColours(window, control->kind);
        if (control->defaultButton) SendMessageA(dialog.window, DM_SETDEFID, static_cast<WPARAM>(control->id), 0);
    }
    return 0;
}

INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return initialiseDialog(window, wParam, lParam);

    // Colour and owner-draw requests are answered by the control itself (its subclass).
    if (isColourRequest(message)) {
        return lParam ? SendMessageA(reinterpret_cast<HWND>(lParam), reflectedColourRequest, wParam, lParam) : 0;
    }
    if (message == WM_DRAWITEM) {
        return wParam ? SendMessageA(GetDlgItem(window, static_cast<int>(wParam)), WM_DRAWITEM, wParam, lParam) : 0;
    }

    DialogObject* dialog = dialogOf(window);
    if (!dialog) return 0;  // before initialisation or after destruction: no handler

    LRESULT result = 0;
    switch (message) {
    case WM_SIZE:
    case WM_SIZING:
        dispatchEvent(*dialog, sizeMessage, wParam, lParam);
        result = dispatchEvent(*dialog, message, wParam, lParam);
        break;
    case WM_CLOSE:
        // A modal dialog is ended before its handler hears of the close; the handler may
        // still end it with another result.
        if (!dialog->header || dialog->header->modeless == 0) EndDialog(window, 2);
        result = dispatchEvent(*dialog, message, wParam, lParam);
        break;
    case WM_DESTROY:
        RemovePropA(window, dialogProperty);
        result = dispatchEvent(*dialog, message, wParam, lParam);
        break;
    default:
        result = dispatchEvent(*dialog, message, wParam, lParam);
        break;
    }

    // The dialog class has no cursor of its own; over the dialog's client area (not over
    // a control) the dialog shows its cursor unless the handler dealt with it.
    if (result == 0 && message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT &&
        reinterpret_cast<HWND>(wParam) == window)
        SetCursor(dialog->cursor);

    if (message == WM_DESTROY) dialog->window = nullptr;
    return result;
}
