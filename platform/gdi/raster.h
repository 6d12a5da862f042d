// Pixel work on a device context's target, in logical coordinates, always inside the
// DC's clip and the target's bounds. Every drawing call ends here.
#pragma once

#include "gdi/gdi_objects.h"

#include <cstdint>

namespace gdi {

// The DC's clip, cut to its target's current size (a surface may have shrunk).
RECT drawableArea(const DeviceContext& dc);
RECT toTarget(const DeviceContext& dc, const RECT& logical);
// A logical rectangle in target coordinates, cut to the drawable area (may be empty).
RECT visiblePart(const DeviceContext& dc, const RECT& logical);
inline bool isEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }
RECT intersection(const RECT& a, const RECT& b);

void fillArea(DeviceContext& dc, const RECT& logical, uint32_t pixel);
void fillTargetArea(DeviceContext& dc, const RECT& inTarget, uint32_t pixel);
void xorArea(DeviceContext& dc, const RECT& logical, uint32_t mask);
void plot(DeviceContext& dc, int x, int y, uint32_t pixel);
void xorPlot(DeviceContext& dc, int x, int y, uint32_t mask);

void horizontalLine(DeviceContext& dc, int left, int right, int y, uint32_t pixel);  // [left, right)
void verticalLine(DeviceContext& dc, int x, int top, int bottom, uint32_t pixel);    // [top, bottom)

// Coverage (0..255, `width` per row) blended in `pixel` with its top-left at (x, y),
// limited further to `limit` (target coordinates).
void blendCoverage(DeviceContext& dc, int x, int y, const uint8_t* coverage, int width, int rows,
                   uint32_t pixel, const RECT& limit);

}  // namespace gdi
