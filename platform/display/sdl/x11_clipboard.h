// The desktop's clipboard read straight from the X server, for what SDL cannot read: a
// large text, which its owner hands over in pieces (the INCR transfer of X's selection
// rules; GTK programs do so above about 256 KiB). SDL then gives an empty text, and a
// paste would insert nothing.
#pragma once

#include "display/sdl/x11_desktop.h"

#include <string>

namespace display::x11 {

// The CLIPBOARD selection as UTF-8, asked for on behalf of `requestor` (one of our
// windows), whole or in pieces; empty when nobody answers within a second.
std::string readClipboard(void* display, XWindow requestor);

}  // namespace display::x11
