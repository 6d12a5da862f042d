#include "display/sdl/window_units.h"

#include <gtest/gtest.h>

namespace display::sdl {
namespace {

// The program drawn at one scale into buffers of another: on X11 (buffer one), on Wayland
// at the output's scale, and with EDITOR_SCALE against it.
TEST(WindowUnits, WindowsHoldTheDrawnPixelsAndPointerUnitsLandInThem) {
    const int pairs[][2] = {{96, 96}, {144, 96}, {192, 96}, {144, 144}, {192, 192}, {96, 192}, {144, 192}, {288, 192}};
    for (auto [drawnDpi, bufferDpi] : pairs) {
        WindowUnits units{Scale{drawnDpi}, Scale{bufferDpi}};
        for (int length : {1, 2, 3, 465, 801}) {
            int device = units.drawn.deviceLength(length);
            int sdl = units.sdlLength(length);
            EXPECT_GE(units.buffer.deviceLength(sdl), device) << drawnDpi << "/" << bufferDpi << " " << length;
            EXPECT_LT(units.buffer.deviceLength(sdl - 1), device) << drawnDpi << "/" << bufferDpi << " " << length;
        }
        for (int p = -20; p < 20; ++p) {
            if (drawnDpi == bufferDpi) {  // the usual Wayland case: the program's pixels are SDL's units
                EXPECT_EQ(units.toSdl(p), p) << drawnDpi;
                EXPECT_EQ(units.toProgram(p), p) << drawnDpi;
            }
            if (bufferDpi == 96) {  // X11: SDL's units are device pixels
                EXPECT_EQ(units.toSdl(p), units.drawn.toDevice(p)) << drawnDpi;
                EXPECT_EQ(units.toProgram(p), units.drawn.toProgram(p)) << drawnDpi;
            }
            // A pointer in SDL unit p is on the program pixel holding the unit's first device pixel.
            int device = units.buffer.toDevice(p);
            int program = units.toProgram(p);
            EXPECT_LE(units.drawn.toDevice(program), device) << drawnDpi << "/" << bufferDpi << " " << p;
            EXPECT_GT(units.drawn.toDevice(program + 1), device) << drawnDpi << "/" << bufferDpi << " " << p;
        }
    }
}

}  // namespace
}  // namespace display::sdl
