// The layer's pixels straight into an X window. SDL's window buffer would first take a
// copy of them into a shared-memory image of its own: memory fresh to the process, and
// to the X server, at every start, which at 200 % is six megabytes, a page fault every
// 4 KiB on each side before the first frame can be seen. Sent from where they lie, only
// the area that changed goes, and nothing is allocated.
#pragma once

#include "display/display.h"
#include "display/sdl/x11_desktop.h"

namespace display::x11 {

// Whether the window takes our pixels (0x00RRGGBB, 32 bits each) as they are: a visual
// with red, green and blue where ours have them, at the screen's default depth, stored
// 32 bits a pixel. Else SDL's window buffer converts them.
bool takesPixelsAsTheyAre(void* display, XWindow window);

// Sends `area` (device pixels) of `pixels` to the same place of the window.
void putPixels(void* display, XWindow window, const Pixels& pixels, const Rect& area);

// Returns once the X server has done all that was sent.
void finishRequests(void* display);

}  // namespace display::x11
