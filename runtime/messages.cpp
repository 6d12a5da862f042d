#include "runtime/messages.h"

namespace {

// The hook of the message box that is up; one box at a time.
HHOOK hookSlot = nullptr;

RECT workArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

bool usableOwner(HWND owner) {
    if (!owner) return false;
    auto style = static_cast<DWORD>(GetWindowLongA(owner, GWL_STYLE));
    return (style & WS_MINIMIZE) == 0 && (style & WS_VISIBLE) != 0;
}

}  // namespace

void processMessages(int32_t noWait) {
    if (noWait == 0) WaitMessage();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        // Only the window runtime's frame and child windows carry a window object with an
        // accelerator table and key filter; this program makes none of them, and its
        // dialogs carry no object, so every message takes the dialog route.
        HWND active = GetActiveWindow();
        if (active && (static_cast<DWORD>(GetWindowLongA(active, GWL_EXSTYLE)) & WS_EX_CONTROLPARENT) &&
            IsDialogMessageA(active, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int32_t messageBox(const DialogObject* owner, const char* text, const char* caption, uint32_t flags) {
    HWND ownerWindow = owner ? owner->window : nullptr;
    if (flags == 0) flags = MB_ICONEXCLAMATION | MB_OK;
    hookSlot = SetWindowsHookExA(WH_CBT, centringHook, nullptr, GetCurrentThreadId());
    int answer = MessageBoxA(ownerWindow, text, caption, flags);
    if (hookSlot) UnhookWindowsHookEx(hookSlot);
    hookSlot = nullptr;
    return answer;
}

LRESULT CALLBACK centringHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && code == HCBT_CREATEWND) {
        CREATESTRUCTA& created = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        auto style = static_cast<DWORD>(created.style);
        if (style & (WS_DLGFRAME | WS_POPUP)) {
            RECT work = workArea();
            HWND reference = created.hwndParent ? created.hwndParent : GetDesktopWindow();
            RECT r{};
            GetWindowRect(reference, &r);
            int x = r.left + ((r.right - r.left) - created.cx) / 2;
            int y = r.top + ((r.bottom - r.top) - created.cy) / 2;
            // The left and top limits are the screen's edge, not the work area's.
            if (x < 0)
                x = 0;
            else if (x + created.cx > work.right)
                x = work.right - created.cx;
            if (y < 0)
                y = 0;
            else if (y + created.cy > work.bottom)
                y = work.bottom - created.cy;
            created.x = x;
            created.y = y;
            return 0;
        }
    }
    return CallNextHookEx(hookSlot, code, wParam, lParam);
}

void centreWindow(const DialogObject& dialog) {
    HWND window = dialog.window;
    if (!window) return;
    auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    RECT own{};
    GetWindowRect(window, &own);
    RECT limit{};
    RECT centre{};
    if (style & WS_CHILD) {
        // A child is placed in its parent's client coordinates, so its parent's client
        // rectangle is both the limit and what it is centred in.
        GetClientRect(GetParent(window), &limit);
        centre = limit;
    } else {
        limit = workArea();
        HWND owner = GetWindow(window, GW_OWNER);
        if (usableOwner(owner))
            GetWindowRect(owner, &centre);
        else
            centre = limit;
    }
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = (centre.left + centre.right) / 2 - width / 2;
    int y = (centre.top + centre.bottom) / 2 - height / 2;
    if (x < limit.left)
        x = limit.left;
    else if (x + width > limit.right)
        x = limit.right - width;
    if (y < limit.top)
        y = limit.top;
    else if (y + height > limit.bottom)
        y = limit.bottom - height;
    SetWindowPos(window, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
