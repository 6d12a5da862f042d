// Owns the desktop's CLIPBOARD with a text and hands it over as large-text owners do (GTK
// programs, above about 256 KiB): in pieces of 4096 bytes, X's INCR transfer. Says
// "ready" once it owns the clipboard, and serves until killed.
//   offer_clipboard TEXT COUNT   the clipboard holds TEXT followed by COUNT x's
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

constexpr size_t kPiece = 4096;

struct Transfer {
    Atom property;
    size_t sent = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::string text = std::string(argv[1]) + std::string(std::strtoul(argv[2], nullptr, 10), 'x');
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    Window owner = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom incremental = XInternAtom(display, "INCR", False);
    XSetSelectionOwner(display, clipboard, owner, CurrentTime);
    if (XGetSelectionOwner(display, clipboard) != owner) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    std::map<Window, Transfer> transfers;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            const XSelectionRequestEvent& request = event.xselectionrequest;
            XSelectionEvent answer{};
            answer.type = SelectionNotify;
            answer.requestor = request.requestor;
            answer.selection = request.selection;
            answer.target = request.target;
            answer.time = request.time;
            answer.property = None;
            if (request.target == utf8 && request.property != None) {
                // Announce the size; the pieces follow as the requestor deletes the property.
                long size = static_cast<long>(text.size());
                XSelectInput(display, request.requestor, PropertyChangeMask);
                XChangeProperty(display, request.requestor, request.property, incremental, 32, PropModeReplace,
                                reinterpret_cast<unsigned char*>(&size), 1);
                transfers[request.requestor] = Transfer{request.property};
                answer.property = request.property;
            }
            XSendEvent(display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&answer));
            XFlush(display);
        } else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete) {
            auto found = transfers.find(event.xproperty.window);
            if (found == transfers.end() || found->second.property != event.xproperty.atom) continue;
            Transfer& transfer = found->second;
            size_t length = transfer.sent < text.size() ? std::min(kPiece, text.size() - transfer.sent) : 0;
            XChangeProperty(display, event.xproperty.window, transfer.property, utf8, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text.data() + transfer.sent),
                            static_cast<int>(length));
            transfer.sent += length;
            if (length == 0) transfers.erase(found);  // the empty piece ends the transfer
            XFlush(display);
        }
    }
}
