// Window positions: moving, sizing, restacking, showing and hiding, with the
// WM_WINDOWPOS* messages that tell windows about them.
#include "user/windows/window_internal.h"
#include "user/windows/window_observer.h"

namespace user {

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
    RECT now = user::placedRect(pos.x, pos.y, pos.cx, pos.cy, w);
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
        if (!w->parent && !w->surface) {
            user::createSurfaceFor(w);
            user::installHitTester();
        }
        if (w->surface) display::backend().showSurface(w->surface, true);
        user::invalidateWindow(w, nullptr, true, true);
        user::tellWindowObserver(hWnd, user::WindowChange::Shown);
    } else if (uFlags & SWP_HIDEWINDOW) {
        if (w->parent) user::invalidateAreaOfParent(w);
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (w->surface) display::backend().showSurface(w->surface, false);
        if (!w->parent) user::releaseSurfaceFor(w);
        user::tellWindowObserver(hWnd, user::WindowChange::Hidden);
    }
    if (!(uFlags & SWP_NOACTIVATE) && !w->parent && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED))
        user::activate(w, WA_ACTIVE);
    if (!(w = fromHandle(hWnd))) return TRUE;

    // The CHANGED message says what really changed, so that its default handling sends
    // WM_MOVE and WM_SIZE only for real moves and size changes.
    WINDOWPOS done{
        hWnd,
        pos.hwndInsertAfter,
        now.left,
        now.top,
        now.right - now.left,
        now.bottom - now.top,
        uFlags | (moved ? 0u : static_cast<UINT>(SWP_NOMOVE)) | (sized ? 0u : static_cast<UINT>(SWP_NOSIZE))};
    user::callProcedure(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
    // As on Win32, a window hears that it is hidden before the activation and the focus
    // leave it: the window and its owner see the same order whoever hides it.
    if ((uFlags & SWP_HIDEWINDOW) && (w = fromHandle(hWnd))) user::windowHiddenOrDestroyed(w, false);
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
