// The window manager's own state: the window table and the graveyard of destroyed
// windows, the top-level windows in z-order, the desktop, the thread's queue and the
// depth of calls out of the layer.
#include "user/windows/window_internal.h"
#include "user/windows/window_manager.h"

#include <algorithm>
#include <map>

namespace user {

Queue& queue() {
    static Queue q;
    return q;
}

int outsideCallDepth = 0;  // procedures, hooks and callbacks running now

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

void freeBuriedWindows() {
    if (!outsideCallRunning()) graveyard().clear();
}

size_t buriedWindowCount() { return graveyard().size(); }

OutsideCall::OutsideCall() { ++outsideCallDepth; }

OutsideCall::~OutsideCall() { --outsideCallDepth; }

bool outsideCallRunning() { return outsideCallDepth > 0; }

void removeMessagesFor(HWND handle) {
    auto& posted = queue().posted;
    for (auto it = posted.begin(); it != posted.end();) it = (it->hwnd == handle) ? posted.erase(it) : it + 1;
}

}  // namespace user
