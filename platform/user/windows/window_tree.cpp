// The window table and tree: handles, creation and destruction with their messages,
// parents, owners, z-order among siblings, and the calls that walk the tree.
#include "user/windows/window_internal.h"
#include "user/windows/window_manager.h"

#include <algorithm>
#include <map>
#include <strings.h>

namespace user {

namespace {

std::map<uintptr_t, std::unique_ptr<Window>>& table() {
    static std::map<uintptr_t, std::unique_ptr<Window>> windows;
    return windows;
}

// Destroyed windows stay allocated while a procedure may still be running for a window
// that destroyed itself, or layer code around it still holds it. Handles are never
// reused, so a stale handle never names a new window.
std::vector<std::unique_ptr<Window>>& graveyard() {
    static std::vector<std::unique_ptr<Window>> dead;
    return dead;
}

std::vector<Window*>& topLevels() {
    static std::vector<Window*> windows;
    return windows;
}

uintptr_t nextHandleValue() {
    static uintptr_t next = 0x10000;
    next += 4;
    return next;
}

std::vector<Window*>& siblingsOf(Window* window) {
    return window->parent ? window->parent->children : topLevels();
}

void unlink(Window* window) {
    auto& list = siblingsOf(window);
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

Window* addWindow(WindowClass* windowClass) {
    auto window = std::make_unique<Window>();
    uintptr_t value = nextHandleValue();
    window->handle = reinterpret_cast<HWND>(value);
    window->windowClass = windowClass;
    window->procedure = windowClass->procedure;
    window->extraBytes.assign(static_cast<size_t>(windowClass->windowExtra), 0);
    ++windowClass->windowCount;
    Window* raw = window.get();
    table()[value] = std::move(window);
    return raw;
}

// Takes the window out of the table and the tree; its memory goes to the graveyard.
void bury(Window* window) {
    unlink(window);
    removeMessagesFor(window->handle);
    --window->windowClass->windowCount;
    auto it = table().find(reinterpret_cast<uintptr_t>(window->handle));
    if (it != table().end()) {
        graveyard().push_back(std::move(it->second));
        table().erase(it);
    }
}

void sendDestroy(Window* window) {
    HWND handle = window->handle;
    callProcedure(window, WM_DESTROY, 0, 0);
    window = fromHandle(handle);
    if (!window) return;
    std::vector<Window*> children = window->children;
    for (Window* child : children)
        if (fromHandle(child->handle) == child) sendDestroy(child);
}

void sendNcDestroyAndBury(Window* window) {
    std::vector<Window*> children = window->children;
    for (Window* child : children)
        if (fromHandle(child->handle) == child) sendNcDestroyAndBury(child);
    forgetWindowInFocus(window);
    forgetWindowInInput(window);
    callProcedure(window, WM_NCDESTROY, 0, 0);
    window->properties.clear();
    if (!window->parent) destroySurfaceFor(window);
    bury(window);
}

void defaultPlacement(CREATESTRUCTA& cs, bool child) {
    display::Rect screen = display::backend().screen();
    if (cs.x == CW_USEDEFAULT) {
        cs.x = child ? 0 : screen.width() / 8;
        cs.y = child ? 0 : screen.height() / 8;
    }
    if (cs.cx == CW_USEDEFAULT) {
        cs.cx = child ? 0 : screen.width() * 3 / 4;
        cs.cy = child ? 0 : screen.height() * 3 / 4;
    }
}

}  // namespace

Window* fromHandle(HWND handle) {
    if (!handle) return nullptr;
    if (handle == desktopWindow()->handle) return desktopWindow();
    auto it = table().find(reinterpret_cast<uintptr_t>(handle));
    return it == table().end() ? nullptr : it->second.get();
}

Window* desktopWindow() {
    static WindowClass desktopClass{"#32769", 0x8001, 0, DefWindowProcA, 0, 0, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, {}, 1};
    static Window desktop = [] {
        Window w;
        w.handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10000));
        w.windowClass = &desktopClass;
        w.procedure = DefWindowProcA;
        w.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
        return w;
    }();
    // The screen can change with the backend (each test installs its own).
    if (display::hasBackend()) {
        display::Rect s = display::backend().screen();
        desktop.rect = RECT{s.left, s.top, s.right, s.bottom};
    }
    return &desktop;
}

const std::vector<Window*>& topLevelWindows() { return topLevels(); }

void freeBuriedWindows() {
    if (!outsideCallRunning()) graveyard().clear();
}

size_t buriedWindowCount() { return graveyard().size(); }

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

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            LPVOID lpParam) {
    user::WindowClass* windowClass = user::findClass(lpClassName, hInstance);
    if (!windowClass) {
        SetLastError(1407);  // ERROR_CANNOT_FIND_WND_CLASS
        return nullptr;
    }
    Window* parent = nullptr;
    HWND owner = nullptr;
    Window* given = fromHandle(hWndParent);
    if (hWndParent && !given) {
        SetLastError(1400);  // ERROR_INVALID_WINDOW_HANDLE
        return nullptr;
    }
    bool child = (dwStyle & WS_CHILD) && given && given != user::desktopWindow();
    if (dwStyle & WS_CHILD) {
        if (!given) {
            SetLastError(1406);  // ERROR_TLW_WITH_WSCHILD
            return nullptr;
        }
        if (child) parent = given;
    } else if (given && given != user::desktopWindow()) {
        owner = user::topLevelOf(given)->handle;
    }

    CREATESTRUCTA cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
                     lpWindowName, lpClassName, dwExStyle};
    user::defaultPlacement(cs, child);

    Window* window = user::addWindow(windowClass);
    HWND handle = window->handle;
    // The window appears only once it exists completely.
    window->style = dwStyle & ~static_cast<DWORD>(WS_VISIBLE);
    window->exStyle = dwExStyle;
    window->id = child ? reinterpret_cast<LONG_PTR>(hMenu) : 0;
    window->instance = hInstance;
    window->parent = parent;
    window->owner = owner;

    CBT_CREATEWNDA cbt{&cs, HWND_TOP};
    if (user::callCbtHook(HCBT_CREATEWND, reinterpret_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(&cbt)) != 0) {
        user::bury(window);
        return nullptr;
    }
    window->rect = user::placedRect(cs.x, cs.y, cs.cx, cs.cy, !parent);
    cs.x = window->rect.left;
    cs.y = window->rect.top;
    cs.cx = window->rect.right - window->rect.left;
    cs.cy = window->rect.bottom - window->rect.top;
    // New children go to the bottom of their siblings (creation order is tab order); new
    // top-level windows go on top.
    if (parent)
        parent->children.push_back(window);
    else
        user::topLevels().insert(user::topLevels().begin(), window);
    if (!parent) user::createSurfaceFor(window);

    if (!user::callProcedure(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if ((window = fromHandle(handle))) user::sendNcDestroyAndBury(window);
        return nullptr;
    }
    if (!(window = fromHandle(handle))) return nullptr;
    if (user::callProcedure(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!(window = fromHandle(handle))) return nullptr;

    RECT client = user::clientRectInWindow(window);
    user::callProcedure(window, WM_SIZE, SIZE_RESTORED,
                        MAKELPARAM(client.right - client.left, client.bottom - client.top));
    if (!(window = fromHandle(handle))) return nullptr;
    POINT origin{window->rect.left + client.left, window->rect.top + client.top};
    user::callProcedure(window, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if (!(window = fromHandle(handle))) return nullptr;

    if (parent && !(dwExStyle & WS_EX_NOPARENTNOTIFY))
        SendMessageA(parent->handle, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, window->id),
                     reinterpret_cast<LPARAM>(handle));
    if (!fromHandle(handle)) return nullptr;
    if (dwStyle & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return fromHandle(handle) ? handle : nullptr;
}

namespace {

BOOL destroyWithOwned(HWND hWnd) {
    Window* window = fromHandle(hWnd);
    if (!window || window == user::desktopWindow()) {
        SetLastError(1400);
        return FALSE;
    }
    if (window->destroying) return TRUE;
    if (user::callCbtHook(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hWnd), 0) != 0) return FALSE;
    if (!(window = fromHandle(hWnd))) return TRUE;
    window->destroying = true;

    // Owned windows go first, as they cannot outlive their owner.
    if (!window->parent) {
        std::vector<HWND> owned;
        for (Window* w : user::topLevels())
            if (w->owner == hWnd) owned.push_back(w->handle);
        for (HWND h : owned) destroyWithOwned(h);
    }
    if (!(window = fromHandle(hWnd))) return TRUE;

    if (window->style & WS_VISIBLE) {
        if (window->parent) user::invalidateAreaOfParent(window);
        window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (window->surface) display::backend().showSurface(window->surface, false);
    }
    user::windowHiddenOrDestroyed(window, true);
    if (!(window = fromHandle(hWnd))) return TRUE;

    if (window->parent && !(window->exStyle & WS_EX_NOPARENTNOTIFY) && !window->parent->destroying)
        SendMessageA(window->parent->handle, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, window->id),
                     reinterpret_cast<LPARAM>(hWnd));
    if (!(window = fromHandle(hWnd))) return TRUE;
    for (HWND h : user::subtreeHandles(window))
        if (Window* w = fromHandle(h)) w->destroying = true;
    user::sendDestroy(window);
    if ((window = fromHandle(hWnd))) user::sendNcDestroyAndBury(window);
    return TRUE;
}

}  // namespace

BOOL WINAPI DestroyWindow(HWND hWnd) {
    BOOL destroyed = destroyWithOwned(hWnd);
    // Called by the program rather than from a procedure, nothing can still hold the
    // windows just destroyed: a program that ends its dialogs before they wait for a
    // message must not keep them all.
    user::freeBuriedWindows();
    return destroyed;
}

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
    case GW_HWNDFIRST: return list.front()->handle;
    case GW_HWNDLAST: return list.back()->handle;
    case GW_HWNDNEXT: return (it + 1 != list.end()) ? (*(it + 1))->handle : nullptr;
    case GW_HWNDPREV: return (it != list.begin()) ? (*(it - 1))->handle : nullptr;
    default: return nullptr;
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

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    user::WindowClass* wanted = nullptr;
    if (lpClassName) {
        wanted = user::findClass(lpClassName, nullptr);
        if (!wanted) return nullptr;
    }
    for (Window* w : user::topLevels()) {
        if (wanted && w->windowClass != wanted) continue;
        if (lpWindowName && strcasecmp(w->text.c_str(), lpWindowName) != 0) continue;
        return w->handle;
    }
    return nullptr;
}
