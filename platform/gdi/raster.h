// Pixel work on a device context's target, in logical coordinates, always inside the
// DC's clip and the target's bounds. Every drawing call ends here.
//
// Three kinds of coordinates: logical (the DC's, what the program passes), target (the
// program's pixels of the whole surface: logical plus the DC's origin; the clip is kept
// in these) and device (the target's own pixels: target coordinates times its scale,
// each edge rounded on its own, so areas that meet in the program meet on the device).
#pragma once

#include "gdi/gdi_objects.h"

#include <cstdint>
#include <functional>

namespace gdi {

// The DC's clip in device pixels, cut to its target's current size (a surface may have shrunk).
RECT drawableArea(const DeviceContext& dc);
RECT toTarget(const DeviceContext& dc, const RECT& logical);
// Target coordinates to device pixels.
RECT toDevice(const DeviceContext& dc, const RECT& inTarget);
// A logical rectangle in device pixels, cut to the drawable area (may be empty).
RECT visiblePart(const DeviceContext& dc, const RECT& logical);
inline bool isEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }
RECT intersection(const RECT& a, const RECT& b);
// The DC's target, with `device` (device pixels the caller is about to write) noted as
// changed, so that the screen is sent them. Every writer of a target's pixels asks here.
display::Pixels& changing(DeviceContext& dc, const RECT& device);

void fillArea(DeviceContext& dc, const RECT& logical, uint32_t pixel);
void fillTargetArea(DeviceContext& dc, const RECT& inTarget, uint32_t pixel);
void xorArea(DeviceContext& dc, const RECT& logical, uint32_t mask);
void plot(DeviceContext& dc, int x, int y, uint32_t pixel);
void xorPlot(DeviceContext& dc, int x, int y, uint32_t mask);

void horizontalLine(DeviceContext& dc, int left, int right, int y, uint32_t pixel);  // [left, right)
void verticalLine(DeviceContext& dc, int x, int top, int bottom, uint32_t pixel);    // [top, bottom)

// A shape given by where it is: every device pixel of the logical rectangle whose centre,
// in program pixels from the rectangle's top-left, is inside it. At scale one that is
// each pixel whose centre (x + 0.5, y + 0.5) is inside; at other scales the shape keeps
// its outline at the device's resolution.
void fillShape(DeviceContext& dc, const RECT& logical, const std::function<bool(double, double)>& inside,
               uint32_t pixel);

// Coverage (0..255, `width` per row) blended in `pixel` with its top-left at device pixel
// (deviceX, deviceY), limited further to `limit` (target coordinates).
void blendCoverage(DeviceContext& dc, int deviceX, int deviceY, const uint8_t* coverage, int width, int rows,
                   uint32_t pixel, const RECT& limit);

}  // namespace gdi
