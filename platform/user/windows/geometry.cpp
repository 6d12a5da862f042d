// Where windows are: rectangles in window, client and screen coordinates, conversions
// between them, and the calls that move, size, stack, show and hide windows.
#include "user/windows/window_internal.h"

#include <algorithm>

namespace user {

namespace {

constexpr int closeBoxWidth = 16;
constexpr int closeBoxHeight = 14;
constexpr int closeBoxMargin = 2;

int edgeWidth(DWORD exStyle) {
    if (exStyle & WS_EX_CLIENTEDGE) return GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

}  // namespace

int frameWidth(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if ((exStyle & WS_EX_DLGMODALFRAME) || (style & WS_DLGFRAME)) return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

Insets nonClientInsets(DWORD style, DWORD exStyle) {
    int frame = frameWidth(style, exStyle) + edgeWidth(exStyle);
    Insets in{frame, frame, frame, frame};
    in.top += captionHeight(style);
    return in;
}

int captionHeight(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0; }

RECT captionRectInWindow(Window* window) {
    if (!captionHeight(window->style)) return RECT{};
    int frame = frameWidth(window->style, window->exStyle);
    int width = window->rect.right - window->rect.left;
    // The bar, without the one-pixel line that ends the caption.
    return RECT{frame, frame, width - frame, frame + captionHeight(window->style) - GetSystemMetrics(SM_CYBORDER)};
}

RECT closeBoxRectInWindow(Window* window) {
    if (!(window->style & WS_SYSMENU)) return RECT{};
    RECT bar = captionRectInWindow(window);
    if (bar.right - bar.left < closeBoxWidth + 2 * closeBoxMargin) return RECT{};
    int right = bar.right - closeBoxMargin;
    int top = bar.top + closeBoxMargin;
    return RECT{right - closeBoxWidth, top, right, top + closeBoxHeight};
}

RECT placedRect(int x, int y, int cx, int cy, const Window* window) {
    constexpr int coordinateLimit = 32767;
    // Each top-level window has a surface of its full size; beyond this side a popup would
    // only cost memory (no screen is that large).
    constexpr int largestPopupSide = 8192;
    x = std::clamp(x, -coordinateLimit, coordinateLimit);
    y = std::clamp(y, -coordinateLimit, coordinateLimit);
    int widest = coordinateLimit, tallest = coordinateLimit;
    if (!window->parent) {
        bool tracked = (window->style & WS_THICKFRAME) || !(window->style & (WS_POPUP | WS_CHILD));
        widest = tracked ? GetSystemMetrics(SM_CXMAXTRACK) : largestPopupSide;
        tallest = tracked ? GetSystemMetrics(SM_CYMAXTRACK) : largestPopupSide;
    }
    cx = std::clamp(cx, 0, widest);
    cy = std::clamp(cy, 0, tallest);
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

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (!lpRect) return FALSE;
    user::Insets in = user::nonClientInsets(dwStyle, dwExStyle);
    lpRect->left -= in.left;
    lpRect->top -= in.top + (bMenu ? GetSystemMetrics(SM_CYMENU) : 0);
    lpRect->right += in.right;
    lpRect->bottom += in.bottom;
    return TRUE;
}

// System metrics: the classic fixed sizes, and the screen and work area from the display.

int WINAPI GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXSCREEN:
        return display::backend().screen().width();
    case SM_CYSCREEN:
        return display::backend().screen().height();
    case SM_CXFULLSCREEN:
        return display::backend().workArea().width();
    case SM_CYFULLSCREEN:
        return display::backend().workArea().height() - GetSystemMetrics(SM_CYCAPTION);
    // As large as a window with a sizing frame can be dragged to cover the screen.
    case SM_CXMAXTRACK:
        return GetSystemMetrics(SM_CXSCREEN) + 2 * GetSystemMetrics(SM_CXFRAME);
    case SM_CYMAXTRACK:
        return GetSystemMetrics(SM_CYSCREEN) + 2 * GetSystemMetrics(SM_CYFRAME);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 17;
    case SM_CYCAPTION:
        return 19;  // the bar and the one-pixel line below it
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYSMCAPTION:
        return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CYMENU:
        return 19;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    default:
        return 0;
    }
}

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
    if (uiAction != SPI_GETWORKAREA || !pvParam) return FALSE;
    display::Rect work = display::backend().workArea();
    *static_cast<RECT*>(pvParam) = RECT{work.left, work.top, work.right, work.bottom};
    return TRUE;
}
