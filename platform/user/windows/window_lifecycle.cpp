// A window's life: creation with its messages and its place in the tree, and
// destruction, owned windows first, children with their parent; and the thread's CBT
// hooks, which see both. Hooks form a chain, newest first; each passes on with
// CallNextHookEx.
#include "kernel/stop_signals.h"
#include "user/windows/window_manager.h"
#include "user/windows/window_observer.h"

#include <algorithm>

namespace user {

namespace {

void sendDestroy(Window* window) {
    callProcedure(window, WM_DESTROY, 0, 0);
    if (!alive(window)) return;
    std::vector<Window*> children = window->children;
    for (Window* child : children)
        if (alive(child)) sendDestroy(child);
}

void sendNcDestroyAndBury(Window* window) {
    std::vector<Window*> children = window->children;
    for (Window* child : children)
        if (alive(child)) sendNcDestroyAndBury(child);
    WindowManager::the().forgetWindow(window);
    tellWindowObserver(window->handle, WindowChange::Destroyed);
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

    CREATESTRUCTA cs{lpParam,      hInstance,   hMenu,    hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
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
    window->rect = user::placedRect(cs.x, cs.y, cs.cx, cs.cy, window);
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
    if (!parent) {
        // From the first window on, a stop signal closes windows instead of killing the
        // program wherever it stands.
        kernel::catchStopSignals();
        user::createSurfaceFor(window);
        // Each surface's display learns where captions are (the display may be new).
        user::installHitTester();
    }

    if (!user::callProcedure(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (user::alive(window)) user::sendNcDestroyAndBury(window);
        return nullptr;
    }
    if (!user::alive(window)) return nullptr;
    if (user::callProcedure(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!user::alive(window)) return nullptr;

    RECT client = user::clientRectInWindow(window);
    user::callProcedure(window, WM_SIZE, SIZE_RESTORED,
                        MAKELPARAM(client.right - client.left, client.bottom - client.top));
    if (!user::alive(window)) return nullptr;
    POINT origin{window->rect.left + client.left, window->rect.top + client.top};
    user::callProcedure(window, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if (!user::alive(window)) return nullptr;

    if (parent && !(dwExStyle & WS_EX_NOPARENTNOTIFY))
        SendMessageA(parent->handle, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, window->id),
                     reinterpret_cast<LPARAM>(handle));
    if (!user::alive(window)) return nullptr;
    user::tellWindowObserver(handle, user::WindowChange::Created);
    if (dwStyle & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return user::alive(window) ? handle : nullptr;
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

namespace user {

namespace {

std::vector<std::unique_ptr<Hook>>& allHooks() { return WindowManager::the().hooks.all; }

std::vector<Hook*>& cbtChain() { return WindowManager::the().hooks.cbt; }

LRESULT callFrom(size_t index, int code, WPARAM wParam, LPARAM lParam) {
    auto& chain = cbtChain();
    if (index >= chain.size()) return 0;
    OutsideCall call;
    return chain[index]->procedure(code, wParam, lParam);
}

}  // namespace

LRESULT callCbtHook(int code, WPARAM wParam, LPARAM lParam) { return callFrom(0, code, wParam, lParam); }

}  // namespace user

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD) {
    if (idHook != WH_CBT || !lpfn) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto hook = std::make_unique<user::Hook>(user::Hook{lpfn});
    user::Hook* raw = hook.get();
    user::allHooks().push_back(std::move(hook));
    user::cbtChain().insert(user::cbtChain().begin(), raw);
    return reinterpret_cast<HHOOK>(raw);
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
    auto& chain = user::cbtChain();
    auto it = std::find(chain.begin(), chain.end(), reinterpret_cast<user::Hook*>(hhk));
    if (it == chain.end()) return FALSE;
    chain.erase(it);
    return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    auto& chain = user::cbtChain();
    auto it = std::find(chain.begin(), chain.end(), reinterpret_cast<user::Hook*>(hhk));
    if (it == chain.end()) return 0;
    return user::callFrom(static_cast<size_t>(it - chain.begin()) + 1, nCode, wParam, lParam);
}
