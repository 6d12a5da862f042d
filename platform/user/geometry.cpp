// Where windows are: rectangles in window, client and screen coordinates, conversions
// between them, and the calls that move, size, stack, show and hide windows.
#include "user/window_internal.h"

#include <algorithm>

namespace user {

RECT placedRect(int x, int y, int cx, int cy, bool topLevel) {
    constexpr int coordinateLimit = 32767;
    x = std::clamp(x, -coordinateLimit, coordinateLimit);
    y = std::clamp(y, -coordinateLimit, coordinateLimit);
    cx = std::clamp(cx, 0, topLevel ? GetSystemMetrics(SM_CXMAXTRACK) : coordinateLimit);
    cy = std::clamp(cy, 0, topLevel ? GetSystemMetrics(SM_CYMAXTRACK) : coordinateLimit);
    return RECT{x, y, x + cx, y + cy};
}

RECT screenRect(Window* window) {
    RECT r = window->rect;
    if (window->parent) {
        POINT origin = clientOriginOnScreen(window->parent);
        OffsetRect(&r, origin.x, origin.y);
    }
    return r;
}

RECT clientRectInWindow(Window* window) {
    int width = window->rect.right - window->rect.left;
    int height = window->rect.bottom - window->rect.top;
    if (window == desktopWindow()) return RECT{0, 0, width, height};
    Insets in = nonClientInsets(window->style, window->exStyle);
    RECT r{in.left, in.top, width - in.right, height - in.bottom};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

POINT clientOriginOnScreen(Window* window) {
    RECT r = screenRect(window);
    RECT client = clientRectInWindow(window);
    return POINT{r.left + client.left, r.top + client.top};
}

POINT surfaceOffset(Window* window) {
    RECT mine = screenRect(window);
    RECT top = screenRect(topLevelOf(window));
    return POINT{mine.left - top.left, mine.top - top.top};
}

Window* topLevelAt(POINT screenPoint) {
    for (Window* w : topLevelWindows()) {
        if (!(w->style & WS_VISIBLE)) continue;
        if (PtInRect(&w->rect, screenPoint)) return w;
    }
    return nullptr;
}

namespace {

void restack(Window* window, HWND insertAfter) {
    if (!window->parent) {
        if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST) raiseTopLevel(window);
        return;
    }
    auto& list = window->parent->children;
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST) {
        list.insert(list.begin(), window);
    } else if (insertAfter == HWND_BOTTOM) {
        list.push_back(window);
    } else {
        auto it = std::find(list.begin(), list.end(), fromHandle(insertAfter));
        list.insert(it == list.end() ? list.end() : it + 1, window);
    }
}

}  // namespace

}  // namespace user

using user::fromHandle;
using user::Window;

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* w = fromHandle(hWnd);
    if (!w || !lpRect) return FALSE;
    *lpRect = user::screenRect(w);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* w = fromHandle(hWnd);
    if (!w || !lpRect) return FALSE;
    RECT c = user::clientRectInWindow(w);
    *lpRect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    Window* from = hWndFrom ? fromHandle(hWndFrom) : user::desktopWindow();
    Window* to = hWndTo ? fromHandle(hWndTo) : user::desktopWindow();
    if (!from || !to) {
        SetLastError(1400);
        return 0;
    }
    POINT a = user::clientOriginOnScreen(from);
    POINT b = user::clientOriginOnScreen(to);
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(dx, dy);
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    Window* w = fromHandle(hWnd);
    if (!w || !lpPoint) return FALSE;
    POINT o = user::clientOriginOnScreen(w);
    lpPoint->x -= o.x;
    lpPoint->y -= o.y;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    Window* w = fromHandle(hWnd);
    if (!w || !lpPoint) return FALSE;
    POINT o = user::clientOriginOnScreen(w);
    lpPoint->x += o.x;
    lpPoint->y += o.y;
    return TRUE;
}

HWND WINAPI WindowFromPoint(POINT Point) {
    Window* top = user::topLevelAt(Point);
    if (!top) return user::desktopWindow()->handle;
    if (top->style & WS_DISABLED) return nullptr;
    LRESULT hit = HTNOWHERE;
    Window* found = user::windowHitAt(top, Point, hit);
    return found ? found->handle : nullptr;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    Window* w = fromHandle(hWnd);
    if (!w || w == user::desktopWindow()) {
        SetLastError(1400);
        return FALSE;
    }
    if ((uFlags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE)) uFlags &= ~SWP_SHOWWINDOW;
    if ((uFlags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE)) uFlags &= ~SWP_HIDEWINDOW;

    WINDOWPOS pos{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    if (uFlags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (uFlags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
    user::callProcedure(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = fromHandle(hWnd))) return FALSE;

    RECT old = w->rect;
    RECT now = user::placedRect(pos.x, pos.y, pos.cx, pos.cy, !w->parent);
    bool moved = now.left != old.left || now.top != old.top;
    bool sized = (now.right - now.left) != (old.right - old.left) || (now.bottom - now.top) != (old.bottom - old.top);
    bool restacked = !(uFlags & SWP_NOZORDER);

    if ((moved || sized || restacked) && w->parent && user::isVisible(w)) user::invalidateAreaOfParent(w);
    w->rect = now;
    if (restacked) user::restack(w, pos.hwndInsertAfter);
    if (!w->parent) {
        if (sized)
            user::resizeSurfaceFor(w);
        else if (moved && w->surface)
            display::backend().moveSurface(w->surface, display::Rect{now.left, now.top, now.right, now.bottom});
    }
    if (sized || ((moved || restacked) && w->parent)) user::invalidateWindow(w, nullptr, true, true);

    if (uFlags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
        if (!w->parent && !w->surface) user::createSurfaceFor(w);
        if (w->surface) display::backend().showSurface(w->surface, true);
        user::invalidateWindow(w, nullptr, true, true);
    } else if (uFlags & SWP_HIDEWINDOW) {
        if (w->parent) user::invalidateAreaOfParent(w);
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (w->surface) display::backend().showSurface(w->surface, false);
        if (!w->parent) user::releaseSurfaceFor(w);
        user::windowHiddenOrDestroyed(w, false);
        if (!(w = fromHandle(hWnd))) return TRUE;
    }
    if (!(uFlags & SWP_NOACTIVATE) && !w->parent && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED))
        user::activate(w, WA_ACTIVE);
    if (!(w = fromHandle(hWnd))) return TRUE;

    // The CHANGED message says what really changed, so that its default handling sends
    // WM_MOVE and WM_SIZE only for real moves and size changes.
    WINDOWPOS done{hWnd, pos.hwndInsertAfter, now.left, now.top, now.right - now.left, now.bottom - now.top,
                   uFlags | (moved ? 0u : static_cast<UINT>(SWP_NOMOVE)) | (sized ? 0u : static_cast<UINT>(SWP_NOSIZE))};
    user::callProcedure(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window* w = fromHandle(hWnd);
    if (!w || w == user::desktopWindow()) return FALSE;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = nCmdShow != SW_HIDE;
    bool activateIt = show && !w->parent && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE &&
                      nCmdShow != SW_SHOWMINIMIZED && nCmdShow != SW_MINIMIZE;
    if (show == wasVisible) {
        if (activateIt) user::activate(w, WA_ACTIVE);
        return wasVisible;
    }
    user::callProcedure(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!fromHandle(hWnd)) return wasVisible;
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!activateIt) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, flags);
    return wasVisible;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (!lpRect) return FALSE;
    user::Insets in = user::nonClientInsets(dwStyle, dwExStyle);
    lpRect->left -= in.left;
    lpRect->top -= in.top + (bMenu ? GetSystemMetrics(SM_CYMENU) : 0);
    lpRect->right += in.right;
    lpRect->bottom += in.bottom;
    return TRUE;
}
