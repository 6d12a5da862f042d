// The window tree: parents, owners, z-order among siblings, and the calls that walk it.
#include "user/windows/window_internal.h"

#include <algorithm>

namespace user {

const std::vector<Window*>& topLevelWindows() { return topLevels(); }

Window* topLevelOf(Window* window) {
    while (window && window->parent) window = window->parent;
    return window;
}

bool isDescendant(Window* ancestor, Window* window) {
    for (; window; window = window->parent)
        if (window == ancestor) return true;
    return false;
}

bool isVisible(Window* window) {
    if (!window) return false;
    for (; window; window = window->parent)
        if (!(window->style & WS_VISIBLE)) return false;
    return true;
}

void raiseTopLevel(Window* window) {
    window = topLevelOf(window);
    if (!window || window == desktopWindow()) return;
    auto& list = topLevels();
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
    list.insert(list.begin(), window);
    // Owned windows stay above their owner.
    std::vector<Window*> owned;
    for (Window* w : list)
        if (w->owner == window->handle) owned.push_back(w);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        list.erase(std::remove(list.begin(), list.end(), *it), list.end());
        list.insert(list.begin(), *it);
    }
    if (window->surface) display::backend().raiseSurface(window->surface);
    for (Window* w : owned)
        if (w->surface) display::backend().raiseSurface(w->surface);
}

Window* windowOfSurface(display::SurfaceId id) {
    for (Window* w : topLevelWindows())
        if (w->surface == id) return w;
    return nullptr;
}

std::vector<HWND> subtreeHandles(Window* window) {
    std::vector<HWND> out;
    out.push_back(window->handle);
    for (Window* child : window->children) {
        std::vector<HWND> below = subtreeHandles(child);
        out.insert(out.end(), below.begin(), below.end());
    }
    return out;
}

}  // namespace user

using user::fromHandle;
using user::Window;

BOOL WINAPI IsWindow(HWND hWnd) { return fromHandle(hWnd) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND hWnd) { return user::isVisible(fromHandle(hWnd)); }

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    Window* w = fromHandle(hWnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
    Window* parent = fromHandle(hWndParent);
    Window* w = fromHandle(hWnd);
    if (!parent || !w || parent == w) return FALSE;
    return user::isDescendant(parent, w);
}

HWND WINAPI GetParent(HWND hWnd) {
    Window* w = fromHandle(hWnd);
    if (!w) return nullptr;
    if (w->style & WS_CHILD) return w->parent ? w->parent->handle : nullptr;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND WINAPI GetDesktopWindow(void) { return user::desktopWindow()->handle; }

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    Window* w = fromHandle(hWnd);
    if (!w) return nullptr;
    if (uCmd == GW_OWNER) return w->parent ? nullptr : w->owner;
    if (uCmd == GW_CHILD) {
        const auto& kids = (w == user::desktopWindow()) ? user::topLevels() : w->children;
        return kids.empty() ? nullptr : kids.front()->handle;
    }
    if (w == user::desktopWindow()) return nullptr;
    auto& list = user::siblingsOf(w);
    auto it = std::find(list.begin(), list.end(), w);
    switch (uCmd) {
    case GW_HWNDFIRST:
        return list.front()->handle;
    case GW_HWNDLAST:
        return list.back()->handle;
    case GW_HWNDNEXT:
        return (it + 1 != list.end()) ? (*(it + 1))->handle : nullptr;
    case GW_HWNDPREV:
        return (it != list.begin()) ? (*(it - 1))->handle : nullptr;
    default:
        return nullptr;
    }
}

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    Window* parent = fromHandle(hWndParent);
    std::vector<HWND> handles;
    if (!parent || parent == user::desktopWindow()) {
        for (Window* w : user::topLevels()) handles.push_back(w->handle);
    } else {
        handles = user::subtreeHandles(parent);
        handles.erase(handles.begin());
    }
    user::OutsideCall call;
    for (HWND h : handles)
        if (fromHandle(h) && !lpEnumFunc(h, lParam)) return FALSE;
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    Window* w = fromHandle(hDlg);
    if (!w) return nullptr;
    for (Window* child : w->children)
        if (static_cast<int>(child->id) == nIDDlgItem) return child->handle;
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    Window* w = fromHandle(hWnd);
    return w ? static_cast<int>(w->id) : 0;
}
