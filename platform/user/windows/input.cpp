// Input: the display's events become messages. Mouse events go to the capture window or
// to the deepest enabled window under the pointer, in client or non-client form; keys go
// to the focus window; typed text arrives as WM_CHAR. A disabled top-level window takes
// no input. Also the key state, the pointer position and the caption and close-box
// tracking that a press in the non-client area starts, and the cursor shown over them: the
// system's shared cursors as fixed handles.
#include "user/windows/window_manager.h"

#include <cstdlib>

namespace user {

namespace {

InputState& state() { return WindowManager::the().input; }

void setKey(uint32_t vk, bool down) {
    if (vk > 255) return;
    BYTE& k = state().keys[vk];
    if (down && !(k & 0x80)) k ^= 0x01;  // toggle on each press
    k = down ? (k | 0x80) : (k & ~0x80);
}

void applyModifiers(uint32_t modifiers) {
    setKey(VK_SHIFT, modifiers & display::ModShift);
    setKey(VK_CONTROL, modifiers & display::ModControl);
    setKey(VK_MENU, modifiers & display::ModAlt);
}

bool isModifierKey(uint32_t vk) {
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || (vk >= VK_LSHIFT && vk <= VK_RMENU);
}

bool keyDown(int vk) { return (state().keys[vk] & 0x80) != 0; }

WPARAM mouseKeyFlags() {
    WPARAM flags = 0;
    if (keyDown(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (keyDown(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (keyDown(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (keyDown(VK_SHIFT)) flags |= MK_SHIFT;
    if (keyDown(VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

uint32_t buttonKey(display::MouseButton button) {
    switch (button) {
    case display::MouseButton::Left:
        return VK_LBUTTON;
    case display::MouseButton::Right:
        return VK_RBUTTON;
    case display::MouseButton::Middle:
        return VK_MBUTTON;
    default:
        return 0;
    }
}

// Client message for a button event; non-client messages are these plus the distance below.
UINT clientButtonMessage(display::MouseButton button, bool down) {
    UINT base = button == display::MouseButton::Right    ? WM_RBUTTONDOWN
                : button == display::MouseButton::Middle ? WM_MBUTTONDOWN
                                                         : WM_LBUTTONDOWN;
    return down ? base : base + 1;
}

constexpr UINT clientToNonClient = WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;

bool isDoubleClick(Window* window, UINT message, uint32_t time, POINT pt) {
    InputState& s = state();
    bool dbl = (window->windowClass->style & CS_DBLCLKS) && s.lastPressWindow == window->handle &&
               s.lastPressMessage == message && time - s.lastPressTime <= GetDoubleClickTime() &&
               std::abs(pt.x - s.lastPressPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(pt.y - s.lastPressPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (dbl) {
        s.lastPressWindow = nullptr;  // a third press starts a new pair
    } else {
        s.lastPressWindow = window->handle;
        s.lastPressMessage = message;
        s.lastPressTime = time;
        s.lastPressPoint = pt;
    }
    return dbl;
}

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const display::Event& e) {
    MSG msg{window, message, wParam, lParam, e.time, state().cursor};
    postInput(msg);
}

LPARAM packPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

// The window a disabled top-level window waits for (a modal dialog it owns), to bring
// forward when the user reaches for the disabled one, as Win32 does.
Window* enabledPopupOf(Window* owner) {
    for (Window* w : topLevelWindows())
        if (w->owner == owner->handle && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED)) return w;
    return nullptr;
}

// Finds the window that takes a mouse event at the point and asks it what is there.
Window* mouseTarget(POINT pt, bool press, LRESULT& hit) {
    Window* top = topLevelAt(pt);
    if (!top) return nullptr;
    if (top->style & WS_DISABLED) {
        if (press) {
            MessageBeep(0);
            if (Window* popup = enabledPopupOf(top)) activate(popup, WA_CLICKACTIVE);
        }
        return nullptr;
    }
    return windowHitAt(top, pt, hit);
}

void routeMouse(const display::Event& e, UINT clientMessage, bool press) {
    InputState& s = state();
    POINT pt{e.x, e.y};
    if (HWND captured = GetCapture()) {
        Window* w = fromHandle(captured);
        if (!w) return;
        POINT origin = clientOriginOnScreen(w);
        post(captured, clientMessage, mouseKeyFlags(), packPoint(pt.x - origin.x, pt.y - origin.y), e);
        return;
    }
    LRESULT hit = HTNOWHERE;
    Window* target = mouseTarget(pt, press, hit);
    if (!target) return;
    HWND handle = target->handle;
    if (press) {
        // A click on the active window still asks the desktop for the keyboard: another
        // program may have taken it without the layer hearing of it.
        activate(topLevelOf(target), WA_CLICKACTIVE);
        if (!alive(target)) return;
    }
    callProcedure(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle), MAKELPARAM(hit, clientMessage));
    if (!alive(target)) return;

    if (hit == HTCLIENT) {
        UINT message = clientMessage;
        if (press && isDoubleClick(target, message, e.time, pt)) message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        POINT origin = clientOriginOnScreen(target);
        post(handle, message, mouseKeyFlags(), packPoint(pt.x - origin.x, pt.y - origin.y), e);
    } else if (hit != HTNOWHERE && hit != HTERROR) {
        UINT message = clientMessage == WM_MOUSEMOVE ? WM_NCMOUSEMOVE : clientMessage - clientToNonClient;
        if (message <= WM_NCRBUTTONDBLCLK) post(handle, message, static_cast<WPARAM>(hit), packPoint(pt.x, pt.y), e);
        if (press) s.lastPressWindow = nullptr;
    }
}

void moveDraggedWindow(POINT pt) {
    Window* w = fromHandle(state().dragging);
    if (!w) {
        state().dragging = nullptr;
        return;
    }
    SetWindowPos(w->handle, nullptr, pt.x - state().grabOffset.x, pt.y - state().grabOffset.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void trackCloseBox(POINT pt, bool released) {
    InputState& s = state();
    Window* w = fromHandle(s.closeBox);
    if (!w) {
        s.closeBox = nullptr;
        return;
    }
    bool over = nonClientHitTest(w, pt) == HTCLOSE;
    if (!released) {
        setCloseBoxPressed(w, over);
        return;
    }
    s.closeBox = nullptr;
    setCloseBoxPressed(w, false);
    if (over && !(w->style & WS_DISABLED)) PostMessageA(w->handle, WM_SYSCOMMAND, SC_CLOSE, packPoint(pt.x, pt.y));
}

HWND keyboardTarget(bool& system) {
    HWND focus = GetFocus();
    system = false;
    if (!focus) {
        // Without a focus window the active window hears keys as system keys.
        system = true;
        focus = GetActiveWindow();
    }
    Window* w = fromHandle(focus);
    if (!w || (topLevelOf(w)->style & WS_DISABLED)) return nullptr;
    return focus;
}

void routeKey(const display::Event& e, bool down) {
    bool wasDown = e.virtualKey < 256 && keyDown(static_cast<int>(e.virtualKey));
    setKey(e.virtualKey, down);
    if (e.virtualKey == VK_LSHIFT || e.virtualKey == VK_RSHIFT) setKey(VK_SHIFT, down);
    if (e.virtualKey == VK_LCONTROL || e.virtualKey == VK_RCONTROL) setKey(VK_CONTROL, down);
    if (e.virtualKey == VK_LMENU || e.virtualKey == VK_RMENU) setKey(VK_MENU, down);
    bool system = false;
    HWND target = keyboardTarget(system);
    if (!target) return;
    bool alt = keyDown(VK_MENU);
    if (alt || e.virtualKey == VK_F10 || e.virtualKey == VK_MENU) system = true;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1;
    if (alt) lParam |= 1 << 29;
    if (!down || wasDown || e.repeat) lParam |= 1 << 30;
    if (!down) lParam |= static_cast<LPARAM>(1u << 31);
    post(target, message, e.virtualKey, lParam, e);
}

void routeText(const display::Event& e) {
    bool system = false;
    HWND target = keyboardTarget(system);
    if (!target || system) return;
    for (unsigned char c : e.text) post(target, WM_CHAR, c, 1, e);
}

void handle(const display::Event& e) {
    InputState& s = state();
    // The modifier bits of every event keep the key state right even when a display does
    // not report the modifier keys themselves; their own events set it exactly.
    bool keyEvent = e.type == display::EventType::KeyDown || e.type == display::EventType::KeyUp;
    if (!keyEvent || !isModifierKey(e.virtualKey)) applyModifiers(e.modifiers);
    switch (e.type) {
    case display::EventType::MouseMove:
        s.cursor = POINT{e.x, e.y};
        if (s.dragging)
            moveDraggedWindow(s.cursor);
        else if (s.closeBox)
            trackCloseBox(s.cursor, false);
        else
            routeMouse(e, WM_MOUSEMOVE, false);
        break;
    case display::EventType::MouseDown:
        s.cursor = POINT{e.x, e.y};
        setKey(buttonKey(e.button), true);
        routeMouse(e, clientButtonMessage(e.button, true), true);
        break;
    case display::EventType::MouseUp:
        s.cursor = POINT{e.x, e.y};
        setKey(buttonKey(e.button), false);
        if (s.dragging && e.button == display::MouseButton::Left) {
            moveDraggedWindow(s.cursor);
            s.dragging = nullptr;
        } else if (s.closeBox && e.button == display::MouseButton::Left) {
            trackCloseBox(s.cursor, true);
        } else {
            routeMouse(e, clientButtonMessage(e.button, false), false);
        }
        break;
    case display::EventType::KeyDown:
        routeKey(e, true);
        break;
    case display::EventType::KeyUp:
        routeKey(e, false);
        break;
    case display::EventType::Text:
        routeText(e);
        break;
    case display::EventType::CloseRequest:
        if (Window* w = windowOfSurface(e.surface)) {
            if (!(w->style & WS_DISABLED)) {
                PostMessageA(w->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                // Asked to close a window that waits for its box: the box comes forward
                // and keeps the keyboard; the window stays.
                MessageBeep(0);
                if (Window* popup = enabledPopupOf(w)) activate(popup, WA_CLICKACTIVE);
            }
        }
        break;
    case display::EventType::Moved:
        if (Window* w = windowOfSurface(e.surface)) {
            if (w->rect.left == e.x && w->rect.top == e.y) break;
            OffsetRect(&w->rect, e.x - w->rect.left, e.y - w->rect.top);
            WINDOWPOS pos{w->handle,
                          nullptr,
                          e.x,
                          e.y,
                          w->rect.right - w->rect.left,
                          w->rect.bottom - w->rect.top,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE};
            callProcedure(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
        }
        break;
    case display::EventType::FocusGained:
        if (Window* w = windowOfSurface(e.surface)) {
            if (w->style & WS_DISABLED) w = enabledPopupOf(w);
            if (w && (w->style & WS_VISIBLE) && w->handle != GetActiveWindow()) activate(w, WA_ACTIVE);
        }
        break;
    case display::EventType::FocusLost:
        break;
    case display::EventType::ScaleChanged:
        rescaleSurfaces();
        break;
    case display::EventType::Exposed:
        if (Window* w = windowOfSurface(e.surface)) presentWholeSurface(w);
        break;
    }
}

}  // namespace

Window* windowHitAt(Window* window, POINT pt, LRESULT& hit) {
    POINT origin = clientOriginOnScreen(window);
    RECT client = clientRectInWindow(window);
    POINT local{pt.x - origin.x, pt.y - origin.y};
    if (local.x >= 0 && local.y >= 0 && local.x < client.right - client.left && local.y < client.bottom - client.top) {
        std::vector<HWND> children;
        for (Window* c : window->children) children.push_back(c->handle);
        for (HWND h : children) {
            Window* c = fromHandle(h);
            // Disabled children let the point through, like transparent ones.
            if (!c || !(c->style & WS_VISIBLE) || (c->style & WS_DISABLED) || !PtInRect(&c->rect, local)) continue;
            if (Window* found = windowHitAt(c, pt, hit)) return found;
        }
    }
    if (!alive(window)) return nullptr;
    hit = callProcedure(window, WM_NCHITTEST, 0, packPoint(pt.x, pt.y));
    if (hit == HTTRANSPARENT) return nullptr;
    return alive(window) ? window : nullptr;
}

bool translateOneEvent(bool wait) {
    if (!display::hasBackend()) return false;
    display::Event e;
    if (!display::backend().nextEvent(e, wait)) return false;
    handle(e);
    return true;
}

void startCaptionDrag(Window* window, POINT screenPoint) {
    if (window->parent || (window->style & WS_DISABLED)) return;
    state().dragging = window->handle;
    state().grabOffset = POINT{screenPoint.x - window->rect.left, screenPoint.y - window->rect.top};
}

void startCloseBoxTracking(Window* window) {
    state().closeBox = window->handle;
    setCloseBoxPressed(window, true);
}

int beepCount() { return state().beeps; }

}  // namespace user

SHORT WINAPI GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || nVirtKey > 255) return 0;
    BYTE k = user::state().keys[nVirtKey];
    return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

UINT WINAPI GetDoubleClickTime(void) { return 500; }

BOOL WINAPI MessageBeep(UINT) {
    // No sound device here; the count lets tests see that refused input was noticed.
    ++user::state().beeps;
    return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN)) return FALSE;
    bool control = GetKeyState(VK_CONTROL) < 0;
    bool alt = lpMsg->message == WM_SYSKEYDOWN;
    WPARAM key = lpMsg->wParam;
    int character = -1;
    switch (key) {
    case VK_RETURN:
        // NOLINTNEXTLINE(bugprone-signed-char-misuse): constants
        character = control ? '\n' : '\r';
        break;
    case VK_TAB:
        character = control ? -1 : '\t';
        break;
    case VK_BACK:
        character = control ? 0x7F : '\b';
        break;
    case VK_ESCAPE:
        character = 0x1B;
        break;
    default:
        // Printable characters come from the display as text; only control codes are made here.
        if (control && !alt && key >= 'A' && key <= 'Z') character = static_cast<int>(key - 'A' + 1);
        break;
    }
    if (character < 0) return FALSE;
    MSG out = *lpMsg;
    out.message = alt ? WM_SYSCHAR : WM_CHAR;
    out.wParam = static_cast<WPARAM>(character);
    // The character is the next message the thread sees, ahead of later input.
    user::postFirst(out);
    return TRUE;
}

namespace user {

namespace {

// Shared handles: each standard cursor has one, the same on every load.
struct SystemCursor {
    ULONG_PTR id;
    display::Cursor shape;
};
constexpr SystemCursor systemCursors[] = {
    {32512, display::Cursor::Arrow},  // IDC_ARROW
    {32513, display::Cursor::IBeam},  // IDC_IBEAM
    {32514, display::Cursor::Arrow},  // IDC_WAIT
    {32646, display::Cursor::Arrow},  // IDC_SIZEALL
    {32649, display::Cursor::Arrow},  // IDC_HAND
};

HCURSOR handleFor(const SystemCursor& c) { return reinterpret_cast<HCURSOR>(const_cast<SystemCursor*>(&c)); }

HCURSOR& current() { return WindowManager::the().cursor; }

}  // namespace

HCURSOR arrowCursor() { return handleFor(systemCursors[0]); }

}  // namespace user

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (hInstance || !IS_INTRESOURCE(lpCursorName)) return nullptr;  // the program has no cursor resources
    auto id = reinterpret_cast<ULONG_PTR>(lpCursorName);
    for (const auto& c : user::systemCursors)
        if (c.id == id) return user::handleFor(c);
    return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    HCURSOR old = user::current();
    user::current() = hCursor;
    for (const auto& c : user::systemCursors)
        if (user::handleFor(c) == hCursor && display::hasBackend()) display::backend().setCursor(c.shape);
    return old;
}
