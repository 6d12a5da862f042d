// Modal dialogs from in-memory templates: the predefined dialog class, creating the
// dialog window and its controls, the modal loop and EndDialog.
#include "user/dialogs/dialog_manager.h"
#include "user/dialogs/dialog_template.h"
#include "user/windows/system_classes.h"
#include "user/windows/window_manager.h"

namespace user {

void registerDialogClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = "#32770";
    registerClassWithAtom(wc, 0x8002);
}

}  // namespace user

namespace user::dialogs {

namespace {

LPCSTR classArgument(const NameOrOrdinal& windowClass) {
    if (windowClass.isOrdinal()) return MAKEINTATOM(windowClass.ordinal);
    return windowClass.text.c_str();
}

// The dialog window's outer rectangle: the template's position is where its client area
// goes, relative to the owner's client area unless DS_ABSALIGN; the result is kept on
// the work area.
RECT dialogWindowRect(const DialogTemplate& dialog, DWORD style, DWORD exStyle, HWND owner, int baseX, int baseY) {
    RECT frame{0, 0, MulDiv(dialog.cx, baseX, 4), MulDiv(dialog.cy, baseY, 8)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;

    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    POINT origin{MulDiv(dialog.x, baseX, 4), MulDiv(dialog.y, baseY, 8)};
    if (dialog.style & DS_CENTER) {
        origin.x = work.left + (work.right - work.left - width) / 2;
        origin.y = work.top + (work.bottom - work.top - height) / 2;
    } else {
        if (owner && !(dialog.style & DS_ABSALIGN)) ClientToScreen(owner, &origin);
        origin.x += frame.left;
        origin.y += frame.top;
    }
    if (origin.x + width > work.right) origin.x = work.right - width;
    if (origin.x < work.left) origin.x = work.left;
    if (origin.y + height > work.bottom) origin.y = work.bottom - height;
    if (origin.y < work.top) origin.y = work.top;
    return RECT{origin.x, origin.y, origin.x + width, origin.y + height};
}

bool createControls(HWND dialog, HINSTANCE instance, const DialogTemplate& dialogTemplate, DialogState& state) {
    for (const ItemTemplate& item : dialogTemplate.items) {
        DWORD style = (item.style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP);
        HWND control = CreateWindowExA(
            item.exStyle | WS_EX_NOPARENTNOTIFY, classArgument(item.windowClass), item.title.text.c_str(), style,
            MulDiv(item.x, state.baseUnitX, 4), MulDiv(item.y, state.baseUnitY, 8), MulDiv(item.cx, state.baseUnitX, 4),
            MulDiv(item.cy, state.baseUnitY, 8), dialog, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)),
            instance, item.creationData.empty() ? nullptr : const_cast<BYTE*>(item.creationData.data()));
        if (!control) return false;
        if (state.font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
        // A push button made default in the template is the dialog's default.
        if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) state.defaultId = item.id;
    }
    return true;
}

HWND createFromTemplate(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND owner, DLGPROC procedure) {
    DialogFont font = (dialogTemplate.style & DS_SETFONT)
                          ? createDialogFont(dialogTemplate.pointSize, dialogTemplate.faceName.c_str())
                          : DialogFont{};
    DWORD style = dialogTemplate.style & ~static_cast<DWORD>(WS_VISIBLE);
    DWORD exStyle = dialogTemplate.exStyle | ((dialogTemplate.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    RECT rect = dialogWindowRect(dialogTemplate, style, exStyle, owner, font.baseUnitX, font.baseUnitY);
    LPCSTR windowClass = dialogTemplate.windowClass.isOrdinal() || !dialogTemplate.windowClass.text.empty()
                             ? classArgument(dialogTemplate.windowClass)
                             : WC_DIALOG;
    HWND dialog = CreateWindowExA(exStyle, windowClass, dialogTemplate.title.c_str(), style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, instance, nullptr);
    if (!dialog) {
        if (font.font) DeleteObject(font.font);
        return nullptr;
    }
    auto state = attachState(dialog, procedure);
    state->ownedFont = font.font;
    state->baseUnitX = font.baseUnitX;
    state->baseUnitY = font.baseUnitY;
    if (font.font) SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font.font), FALSE);
    if (!createControls(dialog, instance, dialogTemplate, *state)) {
        DestroyWindow(dialog);
        return nullptr;
    }
    return dialog;
}

void enableOwnerAgain(DialogState& state) {
    if (state.disabledOwner && IsWindow(state.disabledOwner)) EnableWindow(state.disabledOwner, TRUE);
    state.disabledOwner = nullptr;
}

// The initial focus when WM_INITDIALOG left it to the dialog manager: the first tab stop
// (found again, as the procedure may have changed the controls), else the dialog itself.
// Focusing a control of the still hidden dialog activates it, so the owner is deactivated
// and remembers its own focused control, even for a dialog that ends before it shows.
void setInitialFocus(HWND dialog) {
    if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE))
        setDialogFocus(dialog, first);
    else
        SetFocus(dialog);
}

}  // namespace

DialogFont createDialogFont(WORD pointSize, const char* faceName) {
    DialogFont result;
    result.font =
        CreateFontA(-MulDiv(pointSize, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName);
    if (!result.font) return result;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, result.font);
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(dc, &metrics) && metrics.tmAveCharWidth > 0 && metrics.tmHeight > 0) {
        result.baseUnitX = metrics.tmAveCharWidth + 1;
        result.baseUnitY = metrics.tmHeight;
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    return result;
}

// A dialog's state is the window's own, forgotten with it.
std::shared_ptr<DialogState> stateOf(HWND dialog) {
    Window* window = fromHandle(dialog);
    return window ? window->dialog : nullptr;
}

std::shared_ptr<DialogState> attachState(HWND dialog, DLGPROC procedure) {
    Window* window = fromHandle(dialog);
    std::shared_ptr<DialogState> state = window ? window->dialog : nullptr;
    if (!state) state = std::make_shared<DialogState>();
    if (window) window->dialog = state;
    state->procedure = procedure;
    return state;
}

void detachState(HWND dialog) {
    Window* window = fromHandle(dialog);
    if (!window || !window->dialog) return;
    if (window->dialog->ownedFont) DeleteObject(window->dialog->ownedFont);
    window->dialog->ownedFont = nullptr;
    window->dialog.reset();
}

HWND ownerWindowFor(HWND window) {
    while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
    return window;
}

INT_PTR runModal(HWND dialog, HWND owner, LPARAM initParam, bool showAtOnce) {
    auto state = stateOf(dialog);
    if (!state) return -1;
    state->owner = owner;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        state->disabledOwner = owner;
    }

    HWND firstTabStop = GetNextDlgTabItem(dialog, nullptr, FALSE);
    // Non-zero from WM_INITDIALOG leaves the initial focus to the dialog manager: the
    // first tab stop, or the dialog itself when there is none.
    // As on Win32, a dialog that ended in its WM_INITDIALOG still takes the focus and, when
    // its template asks to be visible, shows: its destruction then hands the activation
    // back to the owner like any other ending.
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), initParam) && IsWindow(dialog))
        setInitialFocus(dialog);
    bool shown = false;
    if (showAtOnce && IsWindow(dialog)) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        shown = true;
    }

    MSG msg;
    while (IsWindow(dialog) && !state->ended) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // A dialog whose template did not ask to be visible appears once the queue is idle.
            if (!shown) {
                ShowWindow(dialog, SW_SHOWNORMAL);
                shown = true;
            } else {
                WaitMessage();
            }
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The quit belongs to an outer loop: leave it in the queue for that loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    enableOwnerAgain(*state);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return state->result;
}

}  // namespace user::dialogs

using namespace user::dialogs;

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    DialogTemplate dialogTemplate;
    if (!parseDialogTemplate(hDialogTemplate, dialogTemplate)) return -1;
    HWND owner = ownerWindowFor(hWndParent);
    HWND dialog = createFromTemplate(hInstance, dialogTemplate, owner, lpDialogFunc);
    if (!dialog) return -1;
    return runModal(dialog, owner, dwInitParam, (dialogTemplate.style & WS_VISIBLE) != 0);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    auto state = stateOf(hDlg);
    if (!state) return FALSE;
    state->ended = true;
    state->result = nResult;
    // The owner is enabled before the dialog hides so that it can take the activation.
    enableOwnerAgain(*state);
    // The focus leaves the controls first, so the owner's activation finds it on the
    // dialog itself. Hiding passes the activation on; only the owner is tried again.
    if (IsChild(hDlg, GetFocus())) SetFocus(hDlg);
    SetWindowPos(hDlg, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetActiveWindow() == hDlg && state->owner && IsWindow(state->owner)) SetActiveWindow(state->owner);
    // Wakes the modal loop when the dialog is ended from outside its own messages.
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}
