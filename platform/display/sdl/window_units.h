// SDL's window coordinates (positions, sizes, pointer positions) against the program's
// pixels. On X11 an SDL unit is a device pixel. On Wayland it is the compositor's logical
// unit, and a window's buffer holds `buffer` device pixels per unit: the scale of the
// output it is on. The program's pixels reach the device at the scale it is drawn at.
#pragma once

#include "display/display.h"

namespace display::sdl {

struct WindowUnits {
    Scale drawn;   // device pixels per program pixel
    Scale buffer;  // device pixels per SDL unit

    // Where a program edge lies in SDL units.
    int toSdl(int programCoordinate) const;
    // The SDL length of a window whose buffer holds the device pixels of a program length
    // (never less than one unit: SDL refuses empty windows).
    int sdlLength(int programLength) const;
    // The program pixel holding the first device pixel of an SDL unit.
    int toProgram(int sdlCoordinate) const;
};

}  // namespace display::sdl
