// The window manager's state (see window_manager.h): the window table and the graveyard
// of destroyed windows, the top-level windows in z-order, the desktop, the thread's queue,
// the depth of calls out of the layer, and the one place where a window's death is heard.
#include "user/windows/window_manager.h"

#include <algorithm>
#include <map>

namespace user {

namespace {

std::unique_ptr<WindowManager>& instance() {
    static std::unique_ptr<WindowManager> manager;
    return manager;
}

}  // namespace

WindowManager& WindowManager::the() {
    auto& manager = instance();
    if (!manager) manager = std::make_unique<WindowManager>();
    return *manager;
}

WindowManager::WindowManager()
    : desktopClass{"#32769", kDesktopClassAtom, 0,       DefWindowProcA, 0,       0,
                   nullptr,  nullptr,           nullptr, nullptr,        nullptr, {}} {
    desktop.handle = reinterpret_cast<HWND>(kDesktopHandle);
    desktop.windowClass = &desktopClass;
    desktop.procedure = DefWindowProcA;
    desktop.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
}

void WindowManager::reset() {
    if (outsideCallRunning()) return;  // a procedure still runs for one of these windows
    std::vector<HWND> tops;
    for (Window* w : the().topLevels) tops.push_back(w->handle);
    for (HWND h : tops) DestroyWindow(h);
    freeBuriedWindows();
    WindowManager& old = the();
    if (old.clipboard.given) GlobalFree(old.clipboard.given);
    if (old.clipboard.handedOut) GlobalFree(old.clipboard.handedOut);
    auto fresh = std::make_unique<WindowManager>();
    fresh->classes = std::move(old.classes);
    fresh->lastHandle = old.lastHandle;
    instance() = std::move(fresh);
}

void WindowManager::forgetWindow(Window* window) {
    HWND handle = window->handle;
    if (focus.focus == handle) focus.focus = nullptr;
    if (focus.active == handle) focus.active = nullptr;
    if (focus.capture == handle) focus.capture = nullptr;
    if (input.dragging == handle) input.dragging = nullptr;
    if (input.closeBox == handle) input.closeBox = nullptr;
    if (input.lastPressWindow == handle) input.lastPressWindow = nullptr;
}

Queue& queue() { return WindowManager::the().queue; }

namespace {

std::map<uintptr_t, std::unique_ptr<Window>>& table() { return WindowManager::the().windows; }

std::vector<std::unique_ptr<Window>>& graveyard() { return WindowManager::the().buried; }

}  // namespace

std::vector<Window*>& topLevels() { return WindowManager::the().topLevels; }

namespace {

uintptr_t nextHandleValue() { return WindowManager::the().lastHandle += 4; }

}  // namespace

std::vector<Window*>& siblingsOf(Window* window) { return window->parent ? window->parent->children : topLevels(); }

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
    Window* raw = window.get();
    table()[value] = std::move(window);
    return raw;
}

// Takes the window out of the table and the tree; its memory goes to the graveyard.
void bury(Window* window) {
    unlink(window);
    removeMessagesFor(window->handle);
    window->dialog.reset();  // also for a subclassed dialog whose procedure never passed it on
    window->closeBoxPressed = false;
    for (const WindowDC& held : window->deviceContexts) DeleteDC(held.dc);
    window->deviceContexts.clear();
    window->buried = true;
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
    Window& desktop = WindowManager::the().desktop;
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

OutsideCall::OutsideCall() { ++WindowManager::the().outsideCallDepth; }

OutsideCall::~OutsideCall() { --WindowManager::the().outsideCallDepth; }

bool outsideCallRunning() { return WindowManager::the().outsideCallDepth > 0; }

void removeMessagesFor(HWND handle) {
    auto& posted = queue().posted;
    for (auto it = posted.begin(); it != posted.end();) it = (it->hwnd == handle) ? posted.erase(it) : it + 1;
}

}  // namespace user
