// The display for people at a desktop: SDL2 windows on X11, Wayland or macOS.
#pragma once

#include "display/display.h"

#include <memory>
#include <string>

namespace display {

// The SDL display, or null with a one-line reason in `why` when there is no screen to
// show windows on (no display server, or SDL cannot start its video subsystem).
std::unique_ptr<Backend> createSdlBackend(std::string& why);

}  // namespace display
