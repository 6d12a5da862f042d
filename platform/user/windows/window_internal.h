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

namespace dialogs {
struct DialogState;
}

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
};

// A device context handed out for a window (GetDC, GetWindowDC, BeginPaint) and not yet
// released. For a WS_CLIPCHILDREN window the children's pixels under its clip are kept
// and put back at release, so that drawing into the parent never shows over a child.
struct SavedArea {
    RECT rect;  // surface coordinates
    std::vector<uint32_t> pixels;
};
struct WindowDC {
    HDC dc = nullptr;
    std::vector<SavedArea> children;
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

    Window* parent = nullptr;       // null for top-level windows
    HWND owner = nullptr;           // top-level windows only
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
    bool buried = false;  // out of the table, its memory kept until no outside call runs

    // What other parts of the layer keep for the window, forgotten with it.
    std::shared_ptr<dialogs::DialogState> dialog;  // windows of the dialog class
    bool closeBoxPressed = false;
    // Deleted with the window: a DC outliving it would draw into freed pixels.
    std::vector<WindowDC> deviceContexts;
};

// ---- classes (classes.cpp)
WindowClass* findClass(LPCSTR nameOrAtom, HINSTANCE instance);
void ensureSystemClasses();

// ---- the window table, the graveyard, the top-level list and the desktop (window_manager.cpp)
Window* fromHandle(HWND handle);
Window* desktopWindow();
std::vector<Window*>& topLevels();  // z-order, topmost first
std::vector<Window*>& siblingsOf(Window* window);
void unlink(Window* window);                  // out of its parent's (or the top-level) list
Window* addWindow(WindowClass* windowClass);  // a new handle in the table, in no list yet
// Takes the window out of the table and the tree; its memory goes to the graveyard.
void bury(Window* window);
// Destroyed windows are kept until no outside call runs; they are freed when the program
// itself (not a procedure) asks the queue for a message or destroys a window.
void freeBuriedWindows();
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

// ---- the window tree (window_tree.cpp)
const std::vector<Window*>& topLevelWindows();  // z-order, topmost first
Window* topLevelOf(Window* window);
bool isDescendant(Window* ancestor, Window* window);  // true also when equal
bool isVisible(Window* window);                       // WS_VISIBLE on it and all ancestors
void raiseTopLevel(Window* window);
Window* windowOfSurface(display::SurfaceId id);  // the top-level window shown on it
// Pre-order list of the subtree (the window first); safe against changes while walking.
std::vector<HWND> subtreeHandles(Window* window);

// ---- geometry (geometry.cpp)
RECT screenRect(Window* window);          // window rectangle in screen coordinates
RECT clientRectInWindow(Window* window);  // client area relative to the window's top-left
POINT clientOriginOnScreen(Window* window);
POINT surfaceOffset(Window* window);    // window top-left within its top-level's surface
Window* topLevelAt(POINT screenPoint);  // topmost visible top-level window there
// The rectangle `window` gets for a requested place and size: sizes are never negative,
// coordinates stay in the 16-bit range that position messages carry. As on Win32, only a
// top-level window that can be sized, or an overlapped one, is kept within the size a user
// could drag one to; a popup such as a dialog keeps its own size on a smaller screen.
RECT placedRect(int x, int y, int cx, int cy, const Window* window);

// The non-client area's measures.
struct Insets {
    int left = 0, top = 0, right = 0, bottom = 0;
};
int frameWidth(DWORD style, DWORD exStyle);
Insets nonClientInsets(DWORD style, DWORD exStyle);
int captionHeight(DWORD style);  // 0 without WS_CAPTION, else SM_CYCAPTION: the caption bar and its line
RECT captionRectInWindow(Window* window);
RECT closeBoxRectInWindow(Window* window);  // empty without WS_SYSMENU and caption

// ---- non-client area (non_client.cpp)
LRESULT nonClientHitTest(Window* window, POINT screenPoint);
// Tells the display where captions are, for system moves; every new surface needs it, as
// its display may be new.
void installHitTester();
void drawNonClient(Window* window);
void setCloseBoxPressed(Window* window, bool pressed);

// ---- messages (message_queue.cpp)
LRESULT callProcedure(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
void postInput(const MSG& message);
void postFirst(const MSG& message);                                    // ahead of everything queued
bool rangeMatches(UINT message, UINT first, UINT last);                // 0, 0: every message
MSG stamped(HWND window, UINT message, WPARAM wParam, LPARAM lParam);  // with the time and the pointer
bool takePosted(LPMSG out, HWND filter, UINT first, UINT last, bool remove);

// ---- painting (painting.cpp)
void invalidateWindow(Window* window, const RECT* clientRect, bool erase, bool withChildren);
void invalidateAreaOfParent(Window* window);  // the parent's area under the window
void invalidateFrame(Window* window);         // the window's and its children's frames
void flushFrames();                           // WM_NCPAINT to every visible window whose frame is due
Window* nextWindowToPaint(HWND filter);       // parents before children
void paintWindow(Window* window);             // WM_PAINT now, validating what the window leaves
void paintAllPending();
void presentSurfaces();
// The backend lost what the window's surface showed: it is sent all of it again.
void presentWholeSurface(Window* window);
void createSurfaceFor(Window* window);
void resizeSurfaceFor(Window* window);
// The display's scale changed: surfaces at the old one are made again and drawn anew.
void rescaleSurfaces();
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

// ---- focus, activation, capture (focus.cpp)
// Makes the window's top-level window the active one (null: none) after asking the CBT
// hook; false when the hook refused. takeFocus: the focus goes to the newly active window
// unless its WM_ACTIVATE put it inside; SetFocus, which moves the focus itself, says no.
bool activate(Window* window, WORD how, bool takeFocus = true);
void windowHiddenOrDestroyed(Window* window, bool destroying);

// ---- CBT hooks (window_lifecycle.cpp)
LRESULT callCbtHook(int code, WPARAM wParam, LPARAM lParam);

// ---- cursors (input.cpp)
HCURSOR arrowCursor();

// Counts beeps, so that tests can see a refused input was noticed and not delivered.
int beepCount();

}  // namespace user
