#include "display/sdl/x11_clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

#include <chrono>
#include <climits>

namespace display::x11 {

namespace {

// How long an owner may take for each answer, as SDL waits for one.
constexpr auto kAnswerTime = std::chrono::seconds(1);

struct Awaited {
    Window requestor;
    Atom property;
};

// Only the events of the transfer are taken from the queue; every other event, of this
// window too, stays there for SDL.
Bool isTransferEvent(Display*, XEvent* event, XPointer arg) {
    const auto* awaited = reinterpret_cast<const Awaited*>(arg);
    if (event->type == SelectionNotify) return event->xselection.requestor == awaited->requestor;
    return event->type == PropertyNotify && event->xproperty.window == awaited->requestor &&
           event->xproperty.atom == awaited->property && event->xproperty.state == PropertyNewValue;
}

bool nextTransferEvent(Display* display, Awaited& awaited, int type, XEvent& event) {
    auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    for (;;) {
        XFlush(display);
        while (XCheckIfEvent(display, &event, isTransferEvent, reinterpret_cast<XPointer>(&awaited)))
            if (event.type == type) return true;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
}

// Takes the property's value off the window (deleting it, which asks an INCR owner for
// the next piece); `type` says what it was.
std::string takeProperty(Display* display, Window window, Atom property, Atom& type) {
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(display, window, property, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 8)
        value.assign(reinterpret_cast<const char*>(data), count);
    if (data) XFree(data);
    return value;
}

}  // namespace

std::string readClipboard(void* display, XWindow requestor) {
    Display* x = static_cast<Display*>(display);
    Atom clipboard = XInternAtom(x, "CLIPBOARD", False);
    Atom utf8 = XInternAtom(x, "UTF8_STRING", False);
    Atom incremental = XInternAtom(x, "INCR", False);
    Awaited awaited{requestor, XInternAtom(x, "EDITOR_CLIPBOARD", False)};
    if (XGetSelectionOwner(x, clipboard) == None) return {};
    // The pieces are announced as changes of the property on our window.
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(x, requestor, &attributes)) return {};
    XSelectInput(x, requestor, attributes.your_event_mask | PropertyChangeMask);

    XConvertSelection(x, clipboard, utf8, awaited.property, requestor, CurrentTime);
    XEvent event;
    if (!nextTransferEvent(x, awaited, SelectionNotify, event) || event.xselection.property == None) return {};
    Atom type = None;
    std::string text = takeProperty(x, requestor, awaited.property, type);
    if (type != incremental) return text;
    text.clear();
    for (;;) {
        if (!nextTransferEvent(x, awaited, PropertyNotify, event)) return {};  // the owner stopped: no half text
        std::string piece = takeProperty(x, requestor, awaited.property, type);
        if (piece.empty()) return text;
        text += piece;
    }
}

}  // namespace display::x11
