// Device contexts that draw into a window's surface: the window manager makes one for
// each paint, with the window's origin and the visible part as clip, both in surface
// coordinates. Everything else goes through the public GDI calls.
#pragma once

#include "display/display.h"

#include <windows.h>

namespace gdi {

HDC createSurfaceDC(display::Pixels& surface, POINT origin, const RECT& clip);
// Narrow the clip further (intersected with what the DC already has).
void restrictSurfaceDC(HDC dc, const RECT& clipInSurface);

}  // namespace gdi
