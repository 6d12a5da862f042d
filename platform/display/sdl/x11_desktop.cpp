#include "display/sdl/x11_desktop.h"

#include "display/wait_source.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace display::x11 {

namespace {

Display* x(void* display) { return static_cast<Display*>(display); }

int reportError(Display* display, XErrorEvent* error) {
    static int reported = 0;
    if (reported < 5) {
        ++reported;
        char text[128] = "";
        XGetErrorText(display, error->error_code, text, sizeof text);
        std::fprintf(stderr, "display: X request %d failed (%s); going on\n", error->request_code, text);
    }
    return 0;
}

// Nothing shown can be saved any more and every further X call would fail, so the
// program ends at once, without exit handlers that would talk to the dead connection.
// The kernel releases the files and their locks; a dictionary is only ever replaced by
// a rename, so it is the old one or the new one, never half of each.
int connectionLost(Display*) {
    static const char message[] = "display: the connection to the display was lost; the editor ends\n";
    ssize_t ignored = write(STDERR_FILENO, message, sizeof message - 1);
    (void)ignored;
    _exit(3);
}

bool heldByNobodyOrUs(void* display, Window focus, const XWindow* ours, int ourCount) {
    bool free = focus == None || focus == PointerRoot || focus == DefaultRootWindow(x(display));
    for (int i = 0; i < ourCount && !free; ++i) free = ours[i] == focus;
    return free;
}

struct FocusExchange {
    Window shown;
    Window previous;
};

Bool isFocusChangeOf(Display*, XEvent* event, XPointer exchange) {
    const auto* between = reinterpret_cast<const FocusExchange*>(exchange);
    return (event->type == FocusIn || event->type == FocusOut) &&
           (event->xfocus.window == between->shown || event->xfocus.window == between->previous);
}

}  // namespace

void installErrorHandlers() {
    XSetErrorHandler(reportError);
    XSetIOErrorHandler(connectionLost);
}

bool hasFocus(void* display, XWindow window) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(x(display), &focus, &revert);
    return focus == window;
}

XWindow focusHolder(void* display) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(x(display), &focus, &revert);
    return focus;
}

bool giveFocus(void* display, XWindow window, const XWindow* ours, int ourCount, bool fromAnyone) {
    Window focus = focusHolder(display);
    if (focus == window) return true;
    if (!heldByNobodyOrUs(display, focus, ours, ourCount) && !fromAnyone) return false;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(x(display), window, &attributes) || attributes.map_state != IsViewable) return false;
    // Reverting to the parent (the root) leaves the keys with the window under the
    // pointer when this one goes, rather than with nobody.
    XSetInputFocus(x(display), window, RevertToParent, CurrentTime);
    XFlush(x(display));
    return true;
}

void giveFocusBack(void* display, XWindow shown, XWindow previous, const XWindow* ours, int ourCount) {
    if (previous == shown || !heldByNobodyOrUs(display, previous, ours, ourCount) || !hasFocus(display, shown)) return;
    XSetInputFocus(x(display), previous, RevertToParent, CurrentTime);
    // Both changes are in the queue after the round trip; SDL has read neither yet.
    XSync(x(display), False);
    FocusExchange exchange{shown, previous};
    XEvent event;
    while (XCheckIfEvent(x(display), &event, isFocusChangeOf, reinterpret_cast<XPointer>(&exchange))) {
    }
}

void makeDialogOf(void* display, XWindow window, XWindow owner) {
    XSetTransientForHint(x(display), window, owner);
    Atom type = XInternAtom(x(display), "_NET_WM_WINDOW_TYPE", False);
    Atom dialog = XInternAtom(x(display), "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(x(display), window, type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&dialog),
                    1);
}

bool windowManagerRuns(void* display) {
    Atom check = XInternAtom(x(display), "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = XGetWindowProperty(x(display), DefaultRootWindow(x(display)), check, 0, 1, False, XA_WINDOW, &type,
                                    &format, &count, &after, &data) == Success &&
                 data && count == 1;
    if (data) XFree(data);
    return found;
}

bool pointerOnScreen(const void* xevent, int& x, int& y) {
    const auto* event = static_cast<const XEvent*>(xevent);
    switch (event->type) {
    case MotionNotify:
        x = event->xmotion.x_root, y = event->xmotion.y_root;
        return true;
    case ButtonPress:
    case ButtonRelease:
        x = event->xbutton.x_root, y = event->xbutton.y_root;
        return true;
    default:
        return false;
    }
}

std::string rootResources(void* display) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(x(display), DefaultRootWindow(x(display)), XA_RESOURCE_MANAGER, 0, 1 << 20, False, XA_STRING,
                           &type, &format, &count, &after, &data) == Success &&
        data && format == 8)
        text.assign(reinterpret_cast<const char*>(data), count);
    if (data) XFree(data);
    return text;
}

std::string rootResourcesOfDefaultDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return {};
    std::string text = rootResources(display);
    XCloseDisplay(display);
    return text;
}

void watchRootResources(void* display) {
    Window root = DefaultRootWindow(x(display));
    XWindowAttributes attributes{};
    XGetWindowAttributes(x(display), root, &attributes);
    XSelectInput(x(display), root, attributes.your_event_mask | PropertyChangeMask);
    XFlush(x(display));
}

bool rootResourcesChanged(const void* xevent) {
    const auto* event = static_cast<const XEvent*>(xevent);
    return event->type == PropertyNotify && event->xproperty.atom == XA_RESOURCE_MANAGER &&
           event->xproperty.window == DefaultRootWindow(event->xproperty.display);
}

bool waitForEvents(void* display, int wake) {
    if (XEventsQueued(x(display), QueuedAfterFlush) > 0) return false;
    std::vector<pollfd> fds{{ConnectionNumber(x(display)), POLLIN, 0}};
    if (wake >= 0) fds.push_back({wake, POLLIN, 0});
    bool served = waitServingSource(fds);
    // A hang-up is found and reported by Xlib on the next read.
    if (fds[0].revents & (POLLHUP | POLLERR)) XSync(x(display), False);
    return served || (wake >= 0 && (fds[1].revents & POLLIN));
}

}  // namespace display::x11
