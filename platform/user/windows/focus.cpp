// Keyboard focus, the active window and mouse capture, with the messages that tell
// windows about their changes; enabling and disabling windows.
#include "user/windows/window_manager.h"
#include "user/windows/window_observer.h"

namespace user {

namespace {

// The desktop's keyboard focus goes where the layer's activation went (byUser: a click).
void handDesktopFocusTo(Window* topLevel, bool byUser) {
    if (topLevel->surface && (topLevel->style & WS_VISIBLE)) display::backend().focusSurface(topLevel->surface, byUser);
}

FocusState& state() { return WindowManager::the().focus; }

bool within(HWND ancestor, HWND window) {
    Window* a = fromHandle(ancestor);
    Window* w = fromHandle(window);
    return a && w && isDescendant(a, w);
}

// The window that becomes active when the given one goes: its owner when that can be
// active, else the topmost other window that can.
Window* successorOf(Window* leaving) {
    auto usable = [&](Window* w) {
        return w && w != leaving && !w->destroying && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) &&
               !isDescendant(leaving, w) && w->owner != leaving->handle;
    };
    Window* owner = fromHandle(leaving->owner);
    if (usable(owner)) return owner;
    for (Window* w : topLevelWindows())
        if (usable(w)) return w;
    return nullptr;
}

// Moves the focus without asking the CBT hook: SetFocus asks it, the moves that follow an
// activation or a hidden window do not.
void changeFocus(HWND to) {
    HWND old = state().focus;
    if (old == to) return;
    state().focus = to;
    tellWindowObserver(to, WindowChange::FocusChanged);
    if (fromHandle(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(to), 0);
    if (state().focus != to) return;  // the old window moved the focus itself
    if (fromHandle(to)) SendMessageA(to, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
}

// The program's top-level windows, hidden ones too, hear when it gains its first active
// window and when it loses its last one.
void sendActivateApp(bool active) {
    std::vector<HWND> tops;
    for (Window* w : topLevelWindows()) tops.push_back(w->handle);
    for (HWND h : tops)
        if (fromHandle(h)) SendMessageA(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

}  // namespace

bool activate(Window* window, WORD how, bool takeFocus) {
    FocusState& s = state();
    window = topLevelOf(window);
    HWND next = window ? window->handle : nullptr;
    HWND old = s.active;
    if (old != next) {
        CBTACTIVATESTRUCT request{how == WA_CLICKACTIVE, old};
        if (callCbtHook(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(next), reinterpret_cast<LPARAM>(&request)) != 0)
            return false;
        if (next && !(window = fromHandle(next))) return false;
    }
    if (window) raiseTopLevel(window);
    if (old == next) {
        if (window) handDesktopFocusTo(window, how == WA_CLICKACTIVE);
        return true;
    }
    s.active = next;
    tellWindowObserver(next, WindowChange::ActiveChanged);
    if (fromHandle(old)) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(next));
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(next));
    }
    if (s.active != next) return true;
    if (!old != !next) sendActivateApp(next != nullptr);
    if (fromHandle(next)) {
        SendMessageA(next, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(old));
        SendMessageA(next, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(old));
    }
    if (s.active != next) return true;
    // The focus belongs to the active window or nobody. An activation that does not come
    // from SetFocus gives it to the window itself unless its procedure placed it inside.
    if (!next)
        changeFocus(nullptr);
    else if (takeFocus && !within(next, s.focus))
        changeFocus(next);
    if (fromHandle(next)) handDesktopFocusTo(fromHandle(next), how == WA_CLICKACTIVE);
    return true;
}

void windowHiddenOrDestroyed(Window* window, bool destroying) {
    FocusState& s = state();
    HWND handle = window->handle;
    if (s.capture && within(handle, s.capture)) ReleaseCapture();
    if (!alive(window)) return;
    // Activation moves first, and the focus with it: a control losing the focus this way
    // hears WM_KILLFOCUS while its window still exists.
    if (!window->parent && s.active == handle) activate(successorOf(window), WA_ACTIVE);
    if (s.active == handle) activate(nullptr, WA_INACTIVE);
    if (!alive(window)) return;
    if (s.focus && within(handle, s.focus)) {
        if (destroying)
            s.focus = nullptr;
        else
            changeFocus(window->parent ? window->parent->handle : nullptr);
    }
}

}  // namespace user

using user::fromHandle;
using user::Window;

HWND WINAPI SetFocus(HWND hWnd) {
    HWND old = user::state().focus;
    if (hWnd && !fromHandle(hWnd)) return nullptr;
    // The hook may refuse the move; then SetFocus fails and nothing changes.
    if (user::callCbtHook(HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(old)) != 0)
        return nullptr;
    if (hWnd) {
        Window* w = fromHandle(hWnd);
        if (!w) return nullptr;
        Window* top = user::topLevelOf(w);
        if (top->handle != user::state().active) {
            if (!user::activate(top, WA_ACTIVE, false)) return nullptr;
            if (!fromHandle(hWnd)) return old;
        }
    }
    user::changeFocus(hWnd);
    return old;
}

HWND WINAPI GetFocus(void) { return user::state().focus; }

HWND WINAPI GetActiveWindow(void) { return user::state().active; }

HWND WINAPI SetActiveWindow(HWND hWnd) {
    HWND old = user::state().active;
    Window* w = fromHandle(hWnd);
    if (!w) return nullptr;
    return user::activate(w, WA_ACTIVE, true) ? old : nullptr;
}

HWND WINAPI SetCapture(HWND hWnd) {
    HWND old = user::state().capture;
    if (!fromHandle(hWnd)) return old;
    user::state().capture = hWnd;
    if (old && old != hWnd && fromHandle(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return old;
}

BOOL WINAPI ReleaseCapture(void) {
    HWND old = user::state().capture;
    user::state().capture = nullptr;
    if (old && fromHandle(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) { return user::state().capture; }

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* w = fromHandle(hWnd);
    if (!w) return FALSE;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (bEnable && wasDisabled) {
        w->style &= ~static_cast<DWORD>(WS_DISABLED);
        user::tellWindowObserver(hWnd, user::WindowChange::EnabledChanged);
        SendMessageA(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!bEnable && !wasDisabled) {
        SendMessageA(hWnd, WM_CANCELMODE, 0, 0);
        if (!(w = fromHandle(hWnd))) return FALSE;
        w->style |= WS_DISABLED;
        user::tellWindowObserver(hWnd, user::WindowChange::EnabledChanged);
        // Only the window itself loses the focus: a control of a disabled owner keeps it
        // until a dialog over the owner takes it, and gets it back when the owner does.
        if (user::state().focus == hWnd) SetFocus(nullptr);
        if (user::state().capture && user::within(hWnd, user::state().capture)) ReleaseCapture();
        if (fromHandle(hWnd)) SendMessageA(hWnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}
