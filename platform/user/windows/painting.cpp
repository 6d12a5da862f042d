// Invalidation and painting: update areas, WM_NCPAINT/WM_ERASEBKGND/WM_PAINT, device
// contexts on the top-level window's surface clipped to what a window may touch, and
// presenting the changed surfaces to the display.
#include "gdi/surface_dc.h"
#include "user/windows/window_manager.h"

#include <algorithm>

namespace user {

namespace {

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{};
    if (!IntersectRect(&r, &a, &b)) return RECT{};
    return r;
}

display::Pixels& scratchPixels() {
    static display::Pixels pixels = [] {
        display::Pixels p;
        p.resize(1, 1);
        return p;
    }();
    return pixels;
}

// The part of the surface a window may draw into: its own area (client or whole window)
// inside every ancestor's client area.
RECT visibleArea(Window* window, bool whole) {
    if (!isVisible(window)) return RECT{};
    POINT offset = surfaceOffset(window);
    RECT area = whole ? RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top}
                      : clientRectInWindow(window);
    OffsetRect(&area, offset.x, offset.y);
    for (Window* a = window->parent; a; a = a->parent) {
        POINT o = surfaceOffset(a);
        RECT client = clientRectInWindow(a);
        OffsetRect(&client, o.x, o.y);
        area = intersect(area, client);
    }
    return area;
}

// The children's area of the surface, kept aside and put back (WS_CLIPCHILDREN), in
// device pixels: the rectangles are the program's, mapped as everything drawn is.
RECT deviceArea(const display::Pixels& px, const RECT& r) {
    return RECT{px.scale.toDevice(r.left), px.scale.toDevice(r.top), px.scale.toDevice(r.right),
                px.scale.toDevice(r.bottom)};
}

std::vector<SavedArea> saveChildren(Window* window, const RECT& clip) {
    std::vector<SavedArea> saved;
    Window* top = topLevelOf(window);
    display::Pixels& px = top->pixels;
    for (Window* child : window->children) {
        if (!(child->style & WS_VISIBLE)) continue;
        POINT o = surfaceOffset(child);
        RECT r{o.x, o.y, o.x + child->rect.right - child->rect.left, o.y + child->rect.bottom - child->rect.top};
        r = intersect(deviceArea(px, intersect(r, clip)), RECT{0, 0, px.width, px.height});
        if (IsRectEmpty(&r)) continue;
        SavedArea area{r, {}};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) area.pixels.push_back(px.at(x, y));
        saved.push_back(std::move(area));
    }
    return saved;
}

void restoreChildren(Window* top, const std::vector<SavedArea>& saved) {
    display::Pixels& px = top->pixels;
    for (const SavedArea& area : saved) {
        if (area.rect.right > px.width || area.rect.bottom > px.height) continue;
        px.markChanged(display::Rect{area.rect.left, area.rect.top, area.rect.right, area.rect.bottom});
        size_t i = 0;
        for (int y = area.rect.top; y < area.rect.bottom; ++y)
            for (int x = area.rect.left; x < area.rect.right; ++x)
                px.data[static_cast<size_t>(y) * px.width + x] = area.pixels[i++];
    }
}

HDC makeDC(Window* window, bool whole, const RECT* restrictTo) {
    if (!window || window == desktopWindow()) {
        HDC dc = gdi::createSurfaceDC(scratchPixels(), POINT{0, 0}, RECT{0, 0, 0, 0});
        desktopWindow()->deviceContexts.push_back(WindowDC{dc, {}});
        return dc;
    }
    Window* top = topLevelOf(window);
    POINT offset = surfaceOffset(window);
    RECT client = clientRectInWindow(window);
    POINT origin = whole ? offset : POINT{offset.x + client.left, offset.y + client.top};
    RECT clip = visibleArea(window, whole);
    if (restrictTo) {
        RECT r = *restrictTo;
        OffsetRect(&r, origin.x, origin.y);
        clip = intersect(clip, r);
    }
    HDC dc = gdi::createSurfaceDC(top->pixels, origin, clip);
    WindowDC held{dc, {}};
    if (!whole && (window->style & WS_CLIPCHILDREN)) held.children = saveChildren(window, clip);
    window->deviceContexts.push_back(std::move(held));
    return dc;
}

std::vector<WindowDC>::iterator heldDC(Window& window, HDC dc) {
    auto& list = window.deviceContexts;
    return std::find_if(list.begin(), list.end(), [dc](const WindowDC& held) { return held.dc == dc; });
}

bool holds(Window& window, HDC dc) { return heldDC(window, dc) != window.deviceContexts.end(); }

// The window a DC was handed out for. Callers name it, but some name none or another
// (Win32 goes by the DC alone), so the others are searched when it does not hold the DC.
Window* holderOf(HWND named, HDC dc) {
    Window* window = named ? fromHandle(named) : desktopWindow();
    if (window && holds(*window, dc)) return window;
    if (holds(*desktopWindow(), dc)) return desktopWindow();
    for (auto& [handle, each] : WindowManager::the().windows)
        if (holds(*each, dc)) return each.get();
    return nullptr;
}

bool releaseDC(HWND named, HDC dc) {
    Window* window = holderOf(named, dc);
    if (!window) return false;
    auto it = heldDC(*window, dc);
    WindowDC held = std::move(*it);
    window->deviceContexts.erase(it);
    DeleteDC(dc);
    if (window != desktopWindow()) {
        Window* top = topLevelOf(window);
        restoreChildren(top, held.children);
        top->surfaceDirty = true;
    }
    return true;
}

}  // namespace

namespace {

RECT wholeClient(Window* window) {
    RECT c = clientRectInWindow(window);
    return RECT{0, 0, c.right - c.left, c.bottom - c.top};
}

void flushFramesIn(Window* window) {
    if (!(window->style & WS_VISIBLE)) return;
    // A window that is about to paint draws its frame in BeginPaint, after its parent has
    // painted: drawn now, a child's edge would be covered by the parent's background.
    if (window->frameNeeded && IsRectEmpty(&window->update)) {
        window->frameNeeded = false;
        callProcedure(window, WM_NCPAINT, 1, 0);
        if (!alive(window)) return;
    }
    std::vector<HWND> children;
    for (Window* child : window->children) children.push_back(child->handle);
    for (HWND h : children)
        if (Window* child = fromHandle(h)) flushFramesIn(child);
}

Window* firstNeedingPaint(Window* window, bool inFilter, Window* filter) {
    if (!(window->style & WS_VISIBLE)) return nullptr;
    inFilter = inFilter || window == filter;
    if (inFilter && !IsRectEmpty(&window->update)) return window;
    for (Window* child : window->children)
        if (Window* w = firstNeedingPaint(child, inFilter, filter)) return w;
    return nullptr;
}

}  // namespace

void paintWindow(Window* window) {
    HWND handle = window->handle;
    RECT before = window->update;
    SendMessageA(handle, WM_PAINT, 0, 0);
    // A procedure that ignores WM_PAINT must not make the loop paint it forever.
    if (alive(window) && EqualRect(&before, &window->update)) {
        window->update = RECT{};
        window->eraseNeeded = false;
    }
}

void invalidateWindow(Window* window, const RECT* clientRect, bool erase, bool withChildren) {
    RECT client = wholeClient(window);
    RECT r = clientRect ? intersect(*clientRect, client) : client;
    if (!clientRect) window->frameNeeded = true;
    if (IsRectEmpty(&r)) return;
    if (IsRectEmpty(&window->update))
        window->update = r;
    else
        UnionRect(&window->update, &window->update, &r);
    if (erase) window->eraseNeeded = true;
    if (!withChildren) return;
    for (Window* child : window->children) {
        if (!(child->style & WS_VISIBLE)) continue;
        RECT overlap = intersect(r, child->rect);
        if (IsRectEmpty(&overlap)) continue;
        child->frameNeeded = true;
        RECT inChild = clientRectInWindow(child);
        OffsetRect(&overlap, -(child->rect.left + inChild.left), -(child->rect.top + inChild.top));
        invalidateWindow(child, &overlap, erase, true);
    }
}

void invalidateAreaOfParent(Window* window) {
    if (!window->parent) return;
    RECT r = window->rect;
    invalidateWindow(window->parent, &r, true, true);
}

void invalidateFrame(Window* window) {
    window->frameNeeded = true;
    for (Window* child : window->children) invalidateFrame(child);
}

void flushFrames() {
    std::vector<HWND> tops;
    for (Window* w : topLevelWindows()) tops.push_back(w->handle);
    for (HWND h : tops)
        if (Window* w = fromHandle(h)) flushFramesIn(w);
}

Window* nextWindowToPaint(HWND filter) {
    Window* filterWindow = filter ? fromHandle(filter) : nullptr;
    if (filter && !filterWindow) return nullptr;
    const auto& tops = topLevelWindows();
    // Bottom to top, so that overlapping windows end up drawn in stacking order.
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        if (Window* w = firstNeedingPaint(*it, !filterWindow, filterWindow)) return w;
    return nullptr;
}

void paintAllPending() {
    flushFrames();
    while (Window* w = nextWindowToPaint(nullptr)) {
        paintWindow(w);
        flushFrames();
    }
}

void presentSurfaces() {
    for (Window* w : topLevelWindows()) {
        if (!w->surface || !w->surfaceDirty || !(w->style & WS_VISIBLE)) continue;
        w->surfaceDirty = false;
        display::backend().present(w->surface, w->pixels);
        w->pixels.changed = display::Rect{};
    }
}

void presentWholeSurface(Window* window) {
    window->pixels.markChanged(display::Rect{0, 0, window->pixels.width, window->pixels.height});
    window->surfaceDirty = true;
}

void createSurfaceFor(Window* window) {
    RECT r = window->rect;
    window->pixels.resizeScaled(r.right - r.left, r.bottom - r.top, display::backend().scale(), 0);
    window->surface = display::backend().createSurface(display::Rect{r.left, r.top, r.right, r.bottom}, window->text);
    if (Window* owner = fromHandle(window->owner); owner && owner->surface && window->surface)
        display::backend().setSurfaceOwner(window->surface, owner->surface);
}

void resizeSurfaceFor(Window* window) {
    RECT r = window->rect;
    if (window->surface) window->pixels.resizeScaled(r.right - r.left, r.bottom - r.top, display::backend().scale(), 0);
    if (window->surface)
        display::backend().moveSurface(window->surface, display::Rect{r.left, r.top, r.right, r.bottom});
    window->surfaceDirty = true;
}

void rescaleSurfaces() {
    for (Window* w : topLevelWindows()) {
        if (!w->surface || w->pixels.scale == display::backend().scale()) continue;
        resizeSurfaceFor(w);
        invalidateWindow(w, nullptr, true, true);
        invalidateFrame(w);
    }
}

void destroySurfaceFor(Window* window) {
    if (!window->surface) return;
    display::backend().destroySurface(window->surface);
    window->surface = 0;
}

void releaseSurfaceFor(Window* window) {
    destroySurfaceFor(window);
    window->pixels = display::Pixels{};
}

HDC windowDC(Window* window) { return makeDC(window, true, nullptr); }

}  // namespace user

using user::fromHandle;
using user::Window;

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    if (!hWnd) {
        for (Window* w : user::topLevelWindows()) {
            user::invalidateWindow(w, nullptr, bErase, true);
            user::invalidateFrame(w);
        }
        return TRUE;
    }
    Window* w = fromHandle(hWnd);
    if (!w) return FALSE;
    user::invalidateWindow(w, lpRect, bErase, !(w->style & WS_CLIPCHILDREN));
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    Window* w = fromHandle(hWnd);
    if (!w) return FALSE;
    RECT covered{};
    // The update area is one rectangle: validating part of it keeps all of it pending.
    if (!lpRect || (IntersectRect(&covered, lpRect, &w->update) && EqualRect(&covered, &w->update))) {
        w->update = RECT{};
        w->eraseNeeded = false;
    }
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    Window* w = fromHandle(hWnd);
    if (!w) return FALSE;
    user::flushFrames();
    for (HWND h : user::subtreeHandles(w)) {
        Window* each = fromHandle(h);
        if (each && user::isVisible(each) && !IsRectEmpty(&each->update)) user::paintWindow(each);
    }
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN, UINT flags) {
    std::vector<Window*> targets;
    if (!hWnd || hWnd == GetDesktopWindow()) {
        targets = user::topLevelWindows();
    } else if (Window* w = fromHandle(hWnd)) {
        targets.push_back(w);
    } else {
        return FALSE;
    }
    for (Window* w : targets) {
        if (flags & RDW_INVALIDATE) {
            bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
            user::invalidateWindow(w, lprcUpdate, (flags & RDW_ERASE) != 0, children);
            if (flags & RDW_FRAME) w->frameNeeded = true;
        }
        if (flags & RDW_VALIDATE) ValidateRect(w->handle, lprcUpdate);
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        std::vector<HWND> handles;
        for (Window* w : targets) handles.push_back(w->handle);
        for (HWND h : handles) UpdateWindow(h);
    }
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    Window* w = fromHandle(hWnd);
    if (!w || !lpPaint) return nullptr;
    if (w->frameNeeded) {
        w->frameNeeded = false;
        user::callProcedure(w, WM_NCPAINT, 1, 0);
        if (!(w = fromHandle(hWnd))) return nullptr;
    }
    RECT update = w->update;
    bool erase = w->eraseNeeded;
    w->update = RECT{};
    w->eraseNeeded = false;
    HDC dc = user::makeDC(w, false, &update);
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = dc;
    lpPaint->rcPaint = update;
    if (erase) lpPaint->fErase = user::callProcedure(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    return dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    if (!lpPaint) return FALSE;
    user::releaseDC(hWnd, lpPaint->hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
    Window* w = hWnd ? fromHandle(hWnd) : nullptr;
    if (hWnd && !w) return nullptr;
    return user::makeDC(w, false, nullptr);
}

HDC WINAPI GetWindowDC(HWND hWnd) {
    Window* w = hWnd ? fromHandle(hWnd) : nullptr;
    if (hWnd && !w) return nullptr;
    return user::makeDC(w, true, nullptr);
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) { return user::releaseDC(hWnd, hDC) ? 1 : 0; }
