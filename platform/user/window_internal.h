// The window manager's own view of classes and windows, shared by its files (classes,
// window tree, geometry, painting, input, focus...). Nothing outside platform/user uses it.
#pragma once

#include "display/display.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace user {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int classExtra = 0;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    int windowCount = 0;  // a class with windows cannot be unregistered
};

struct Window {
    HWND handle = nullptr;
    WindowClass* windowClass = nullptr;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;  // child id (the hMenu argument of a child)
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    std::string text;

    Window* parent = nullptr;  // null for top-level windows
    HWND owner = nullptr;      // top-level windows only
    std::vector<Window*> children;  // z-order, topmost first

    RECT rect{};  // window rectangle, in the parent's client coordinates (screen for top-level)
    std::vector<uint8_t> extraBytes;
    std::vector<std::pair<std::string, HANDLE>> properties;  // names upper-cased

    // Painting: the update area is kept as one rectangle in client coordinates.
    RECT update{};
    bool eraseNeeded = false;
    bool frameNeeded = false;  // non-client area must be drawn
    bool captionActive = false;

    // Top-level windows only: the backend surface and the pixels the layer draws into.
    display::SurfaceId surface = 0;
    display::Pixels pixels;
    bool surfaceDirty = false;

    bool destroying = false;
};

// ---- classes (classes.cpp)
WindowClass* findClass(LPCSTR nameOrAtom, HINSTANCE instance);
void ensureSystemClasses();

// ---- the window table and tree (window_tree.cpp)
Window* fromHandle(HWND handle);
Window* desktopWindow();
const std::vector<Window*>& topLevelWindows();  // z-order, topmost first
Window* topLevelOf(Window* window);
bool isDescendant(Window* ancestor, Window* window);  // true also when equal
bool isVisible(Window* window);  // WS_VISIBLE on it and all ancestors
void raiseTopLevel(Window* window);
// Pre-order list of the subtree (the window first); safe against changes while walking.
std::vector<HWND> subtreeHandles(Window* window);
// Destroyed windows are kept until no outside call runs; they are freed when the program
// itself (not a procedure) asks the queue for a message or destroys a window.
void freeBuriedWindows();

// ---- geometry (geometry.cpp)
RECT screenRect(Window* window);        // window rectangle in screen coordinates
RECT clientRectInWindow(Window* window);  // client area relative to the window's top-left
POINT clientOriginOnScreen(Window* window);
POINT surfaceOffset(Window* window);    // window top-left within its top-level's surface
Window* topLevelAt(POINT screenPoint);  // topmost visible top-level window there
// The rectangle a window gets for a requested place and size: sizes are never negative,
// coordinates stay in the 16-bit range that position messages carry, and a top-level
// window is no larger than a user could drag one to (each has a surface of its full size).
RECT placedRect(int x, int y, int cx, int cy, bool topLevel);

// ---- non-client area (non_client.cpp)
struct Insets {
    int left = 0, top = 0, right = 0, bottom = 0;
};
Insets nonClientInsets(DWORD style, DWORD exStyle);
int captionHeight(DWORD style);   // 0 without WS_CAPTION, else SM_CYCAPTION: the caption bar and its line
RECT captionRectInWindow(Window* window);
RECT closeBoxRectInWindow(Window* window);  // empty without WS_SYSMENU and caption
LRESULT nonClientHitTest(Window* window, POINT screenPoint);
void drawNonClient(Window* window);
void setCloseBoxPressed(Window* window, bool pressed);

// ---- messages (message_queue.cpp)
LRESULT callProcedure(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
// Marks a call out of the layer into a procedure, hook or callback. The layer code around
// it may still hold the Window of a window that the call destroys.
class OutsideCall {
public:
    OutsideCall();
    ~OutsideCall();
    OutsideCall(const OutsideCall&) = delete;
    OutsideCall& operator=(const OutsideCall&) = delete;
};
bool outsideCallRunning();
void postInput(const MSG& message);
void removeMessagesFor(HWND handle);

// ---- painting (painting.cpp)
void invalidateWindow(Window* window, const RECT* clientRect, bool erase, bool withChildren);
void invalidateAreaOfParent(Window* window);  // the parent's area under the window
void invalidateFrame(Window* window);  // the window's and its children's frames
void flushFrames();                    // WM_NCPAINT to every visible window whose frame is due
Window* nextWindowToPaint(HWND filter);  // parents before children
void paintWindow(Window* window);        // WM_PAINT now, validating what the window leaves
void paintAllPending();
void presentSurfaces();
void createSurfaceFor(Window* window);
void resizeSurfaceFor(Window* window);
void destroySurfaceFor(Window* window);
// A hidden top-level window keeps neither pixels nor a display surface; both come back
// when it is shown. An ended form stays hidden until its modal loop returns, which for
// a form shown anew from its own handler is the end of the program.
void releaseSurfaceFor(Window* window);
HDC windowDC(Window* window);  // the whole window, non-client area included

// ---- input (input.cpp)
// Reads one backend event and turns it into messages; false when none was pending.
bool translateOneEvent(bool wait);
// The deepest visible, enabled window at the point that does not answer WM_NCHITTEST with
// HTTRANSPARENT (such windows let the point through to what lies below them); `hit` is
// its answer. Null when every window there is transparent.
Window* windowHitAt(Window* window, POINT screenPoint, LRESULT& hit);
void startCaptionDrag(Window* window, POINT screenPoint);
void startCloseBoxTracking(Window* window);
void forgetWindowInInput(Window* window);
// The desktop's keyboard focus goes where the layer's activation went (byUser: a click).
void handDesktopFocusTo(Window* topLevel, bool byUser);
void installHitTester();  // tells the display where captions are, for system moves

// ---- focus, activation, capture (focus.cpp)
// Makes the window's top-level window the active one (null: none) after asking the CBT
// hook; false when the hook refused. takeFocus: the focus goes to the newly active window
// unless its WM_ACTIVATE put it inside; SetFocus, which moves the focus itself, says no.
bool activate(Window* window, WORD how, bool takeFocus = true);
void windowHiddenOrDestroyed(Window* window, bool destroying);
void forgetWindowInFocus(Window* window);

// ---- hooks (hooks.cpp)
LRESULT callCbtHook(int code, WPARAM wParam, LPARAM lParam);

// ---- cursors (cursors.cpp)
HCURSOR arrowCursor();

// Counts beeps, so that tests can see a refused input was noticed and not delivered.
int beepCount();

}  // namespace user
