// What the layer's own parts (dialog manager, controls) need from the window manager
// beyond the public calls.
#pragma once

#include <windows.h>

#include <cstddef>

namespace user {

// Registers a class under a fixed atom, as the system's predefined classes have
// (the dialog class is atom 0x8002, "#32770").
ATOM registerClassWithAtom(const WNDCLASSEXA& windowClass, ATOM atom);

// Destroyed windows whose memory is still held; tests use it to see that it is given back.
size_t buriedWindowCount();

}  // namespace user
