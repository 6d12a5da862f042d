// What the layer's own parts (dialog manager, controls) need from the window manager
// beyond the public calls.
#pragma once

#include <windows.h>

namespace user {

// Registers a class under a fixed atom, as the system's predefined classes have
// (the dialog class is atom 0x8002, "#32770").
ATOM registerClassWithAtom(const WNDCLASSEXA& windowClass, ATOM atom);

}  // namespace user
