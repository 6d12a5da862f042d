#include "display/sdl/window_units.h"

namespace display::sdl {

int WindowUnits::toSdl(int programCoordinate) const { return buffer.toProgram(drawn.toDevice(programCoordinate)); }

int WindowUnits::sdlLength(int programLength) const {
    if (programLength <= 0) return 1;
    // The fewest units whose device pixels cover the drawn ones: when the program is drawn
    // at another scale than the buffer's (EDITOR_SCALE), the last unit may be part empty.
    return buffer.toProgram(drawn.deviceLength(programLength) - 1) + 1;
}

int WindowUnits::toProgram(int sdlCoordinate) const { return drawn.toProgram(buffer.toDevice(sdlCoordinate)); }

}  // namespace display::sdl
