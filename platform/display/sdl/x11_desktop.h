// What the SDL display asks of the X server directly, beside SDL: the keyboard focus,
// dialog hints, whether a window manager runs, and errors that must not end the program.
// Windows are X window ids; the display is the connection SDL opened.
#pragma once

#include <string>

namespace display::x11 {

using XWindow = unsigned long;

// Xlib's default handlers end the program on a failed request and hang in exit handlers
// on a lost connection; these report a failure and go on, or end at once.
void installErrorHandlers();

// The focus goes to the window when it is on screen and nobody, the root or one of
// `ours` holds it now (or always when `fromAnyone`). True when the window has it.
bool giveFocus(void* display, XWindow window, const XWindow* ours, int ourCount, bool fromAnyone);
bool hasFocus(void* display, XWindow window);
// The window that holds the focus now, or None or PointerRoot.
XWindow focusHolder(void* display);
// Without a window manager SDL gives the focus to every window it shows; Win32 gives it
// only to a window that is activated, never to a menu. This puts it back with `previous`
// when that was nobody or one of `ours`, and takes the focus changes of the exchange out
// of the queue before SDL reads them: SDL would take them for the user leaving and coming
// back, let go of every key held (a key-up each), then press those still held (a
// key-down), such as the Alt of the Alt+Space that opened the menu, which closes it.
void giveFocusBack(void* display, XWindow shown, XWindow previous, const XWindow* ours, int ourCount);

// Marks a window as a dialog of its owner (kept above it, not listed on its own).
void makeDialogOf(void* display, XWindow window, XWindow owner);

bool windowManagerRuns(void* display);

// The screen position of a pointer event (motion, press, release), from the X event
// itself. A position relative to the window would be wrong for events sent before a
// move of that window that the program has made since.
bool pointerOnScreen(const void* xevent, int& x, int& y);

// The root window's resources (RESOURCE_MANAGER, what xrdb loads), empty when none. The
// first form opens a connection of its own, for the time before SDL has a window.
std::string rootResources(void* display);
std::string rootResourcesOfDefaultDisplay();
// Asks for the root window's property changes, and tells the resources' apart.
void watchRootResources(void* display);
bool rootResourcesChanged(const void* xevent);

// Sleeps until the X server has sent something, without SDL's own wait (which wakes
// itself by sending an event to one of our windows, perhaps one that is gone), serving
// the display's wait source meanwhile, or until `wake` (a descriptor, -1 for none) becomes
// readable. True when the wait ended for the loop above: the source did work, or `wake`.
bool waitForEvents(void* display, int wake);

}  // namespace display::x11
