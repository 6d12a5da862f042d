// The default window procedure: what a window does with the messages its own procedure
// leaves alone.
#include "user/windows/default_proc.h"
#include "user/windows/window_internal.h"
#include "user/windows/window_menu.h"
#include "user/windows/window_observer.h"

#include <cstring>

namespace user {

namespace {

POINT pointFrom(LPARAM lParam) { return POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))}; }

HBRUSH classBrush(Window* w) {
    HBRUSH brush = w->windowClass->background;
    // A class may name a system colour by its index plus one instead of giving a brush.
    auto value = reinterpret_cast<ULONG_PTR>(brush);
    if (value > 0 && value <= COLOR_GRADIENTINACTIVECAPTION + 1) return GetSysColorBrush(static_cast<int>(value - 1));
    return brush;
}

LRESULT controlColour(UINT message, HDC dc) {
    bool windowColoured = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    int background = windowColoured ? COLOR_WINDOW : COLOR_3DFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

LRESULT setCursor(Window* w, WPARAM wParam, LPARAM lParam) {
    SHORT hit = static_cast<SHORT>(LOWORD(lParam));
    // The parent decides first, so a dialog can choose the cursor over its controls.
    if ((w->style & WS_CHILD) && w->parent && callProcedure(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
    if (hit == HTCLIENT) {
        // The cursor is that of the window under the pointer, whichever window decides.
        Window* under = fromHandle(reinterpret_cast<HWND>(wParam));
        HCURSOR cursor = (under ? under : w)->windowClass->cursor;
        if (!cursor) return FALSE;
        SetCursor(cursor);
        return TRUE;
    }
    if (hit == HTERROR && HIWORD(lParam) >= WM_LBUTTONDOWN) MessageBeep(0);
    SetCursor(arrowCursor());
    return hit != HTNOWHERE;
}

void setText(Window* w, LPCSTR text) {
    w->text = text ? text : "";
    if (w->surface) display::backend().setTitle(w->surface, w->text);
    if (captionHeight(w->style)) w->frameNeeded = true;
    tellWindowObserver(w->handle, WindowChange::TextChanged);
}

}  // namespace

}  // namespace user

using user::Window;

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = user::fromHandle(hWnd);
    if (!w) return 0;
    if (Msg == WM_CTLCOLOR || user::isControlColourMessage(Msg))
        return user::controlColour(Msg, reinterpret_cast<HDC>(wParam));
    switch (Msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) user::setText(w, cs->lpszName);
        return TRUE;
    }
    case WM_NCPAINT:
        user::drawNonClient(w);
        return 0;
    case WM_NCACTIVATE:
        w->captionActive = wParam != 0;
        if (user::isVisible(w)) user::drawNonClient(w);
        return TRUE;
    case WM_NCHITTEST:
        return user::nonClientHitTest(w, user::pointFrom(lParam));
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION) user::startCaptionDrag(w, user::pointFrom(lParam));
        if (wParam == HTCLOSE) user::startCloseBoxTracking(w);
        return 0;
    case WM_SETTEXT:
        user::setText(w, reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam) return 0;
        size_t n = w->text.size() < wParam - 1 ? w->text.size() : wParam - 1;
        std::memcpy(reinterpret_cast<char*>(lParam), w->text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(hWnd, WM_CLOSE, 0, 0);
        if ((wParam & 0xFFF0) == SC_MOVE && (w->style & WS_CAPTION) == WS_CAPTION) user::moveWithKeyboard(hWnd);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            SendMessageA(user::topLevelOf(w)->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (wParam == VK_F1 + 6 && (lParam & (1 << 29)))  // Alt+F7
            SendMessageA(user::topLevelOf(w)->handle, WM_SYSCOMMAND, SC_MOVE, 0);
        if (wParam == VK_SPACE && (lParam & (1 << 29)) && (user::topLevelOf(w)->style & WS_SYSMENU))
            user::openWindowMenu(user::topLevelOf(w)->handle);
        // Shift+F10 asks for the context menu, at no point (-1, -1).
        if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000))
            SendMessageA(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), -1);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS) SendMessageA(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), -1);
        return 0;
    case WM_RBUTTONUP: {
        POINT at{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
        ClientToScreen(hWnd, &at);
        SendMessageA(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(at.x, at.y));
        return 0;
    }
    case WM_CONTEXTMENU:
        // A child leaves it to its parent.
        if ((w->style & WS_CHILD) && w->parent) return SendMessageA(w->parent->handle, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_ERASEBKGND: {
        HBRUSH brush = user::classBrush(w);
        if (!brush) return 0;
        RECT r;
        GetClientRect(hWnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        return 1;
    }
    case WM_SETCURSOR:
        return user::setCursor(w, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if ((w->style & WS_CHILD) && w->parent) {
            LRESULT r = user::callProcedure(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hWnd);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hWnd) ReleaseCapture();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        RECT client = user::clientRectInWindow(w);
        if (!(pos->flags & SWP_NOMOVE))
            SendMessageA(hWnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + client.left, w->rect.top + client.top));
        if (!(pos->flags & SWP_NOSIZE) && user::fromHandle(hWnd))
            SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED,
                         MAKELPARAM(client.right - client.left, client.bottom - client.top));
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    default:
        return 0;
    }
}
