// The window manager's state in one object: every table, list and piece of state that
// names a window lives here or in the Window itself, so a window's death is forgotten in
// one place and a test can start from a fresh manager.
#pragma once

#include "user/windows/window_internal.h"

#include <windows.h>

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <vector>

namespace user {

struct Queue {
    std::deque<MSG> posted;  // posted messages and input, in arrival order
    bool quitPending = false;
    int quitCode = 0;
};

struct FocusState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
};

struct InputState {
    BYTE keys[256] = {};
    POINT cursor{};
    // The last button press, to recognise a double click.
    HWND lastPressWindow = nullptr;
    UINT lastPressMessage = 0;
    uint32_t lastPressTime = 0;
    POINT lastPressPoint{};
    // Caption drag and close-box press, started by WM_NCLBUTTONDOWN's default handling.
    HWND dragging = nullptr;
    POINT grabOffset{};
    HWND closeBox = nullptr;
    int beeps = 0;
};

struct Hook {
    HOOKPROC procedure;
};

struct Hooks {
    // Never freed (but by a reset), so that a procedure still running after unhooking
    // itself can pass its handle to CallNextHookEx safely.
    std::vector<std::unique_ptr<Hook>> all;
    std::vector<Hook*> cbt;  // the CBT chain, newest first
};

struct ClipboardState {
    bool open = false;
    HGLOBAL given = nullptr;      // the last SetClipboardData handle, owned by the clipboard
    HGLOBAL handedOut = nullptr;  // the last GetClipboardData answer, owned likewise
};

constexpr ATOM kFirstRegisteredAtom = 0xC000;
constexpr ATOM kDesktopClassAtom = 0x8001;  // "#32769"
constexpr uintptr_t kDesktopHandle = 0x10000;

struct ClassRegistry {
    std::vector<std::unique_ptr<WindowClass>> all;
    ATOM nextAtom = kFirstRegisteredAtom;
    bool systemClassesRegistered = false;
};

class WindowManager {
public:
    static WindowManager& the();
    // For tests: destroys the windows left over and starts a fresh manager. Classes and
    // the handle counter stay, as they are process-wide: cached atoms keep naming their
    // classes and a stale handle never names a new window.
    static void reset();

    WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Before WM_NCDESTROY: focus, activation, capture and input forget the window.
    void forgetWindow(Window* window);

    ClassRegistry classes;
    std::map<uintptr_t, std::unique_ptr<Window>> windows;  // the table, by handle
    // Destroyed windows stay allocated while a procedure may still be running for a window
    // that destroyed itself, or layer code around it still holds it.
    std::vector<std::unique_ptr<Window>> buried;
    std::vector<Window*> topLevels;         // z-order, topmost first
    uintptr_t lastHandle = kDesktopHandle;  // handles are never reused
    WindowClass desktopClass;
    Window desktop;
    Queue queue;
    int outsideCallDepth = 0;  // procedures, hooks and callbacks running now
    FocusState focus;
    InputState input;
    HCURSOR cursor = nullptr;
    Hooks hooks;
    ClipboardState clipboard;
};

Queue& queue();
void removeMessagesFor(HWND handle);
// Whether the window is still in the table: a buried window's memory lasts until no
// outside call runs, and it says it is buried.
inline bool alive(const Window* window) { return window && !window->buried; }

// Registers a class under a fixed atom, as the system's predefined classes have
// (the dialog class is atom 0x8002, "#32770").
ATOM registerClassWithAtom(const WNDCLASSEXA& windowClass, ATOM atom);

// Destroyed windows whose memory is still held; tests use it to see that it is given back.
size_t buriedWindowCount();

}  // namespace user
