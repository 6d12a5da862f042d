#include "gdi/raster.h"

#include "gdi/colour.h"

#include <algorithm>

namespace gdi {

RECT intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

RECT toDevice(const DeviceContext& dc, const RECT& inTarget) {
    const display::Scale scale = dc.target ? dc.target->scale : display::Scale{};
    if (scale.isOne()) return inTarget;
    return RECT{scale.toDevice(inTarget.left), scale.toDevice(inTarget.top), scale.toDevice(inTarget.right),
                scale.toDevice(inTarget.bottom)};
}

RECT drawableArea(const DeviceContext& dc) {
    if (!dc.target) return RECT{0, 0, 0, 0};
    return intersection(toDevice(dc, dc.state.clip), RECT{0, 0, dc.target->width, dc.target->height});
}

RECT toTarget(const DeviceContext& dc, const RECT& logical) {
    return RECT{logical.left + dc.origin.x, logical.top + dc.origin.y, logical.right + dc.origin.x,
                logical.bottom + dc.origin.y};
}

display::Pixels& changing(DeviceContext& dc, const RECT& device) {
    dc.target->markChanged(display::Rect{device.left, device.top, device.right, device.bottom});
    return *dc.target;
}

RECT visiblePart(const DeviceContext& dc, const RECT& logical) {
    return intersection(toDevice(dc, toTarget(dc, logical)), drawableArea(dc));
}

void fillArea(DeviceContext& dc, const RECT& logical, uint32_t pixel) {
    fillTargetArea(dc, toTarget(dc, logical), pixel);
}

void fillTargetArea(DeviceContext& dc, const RECT& inTarget, uint32_t pixel) {
    RECT r = intersection(toDevice(dc, inTarget), drawableArea(dc));
    if (isEmpty(r)) return;
    display::Pixels& target = changing(dc, r);
    for (int y = r.top; y < r.bottom; ++y) {
        uint32_t* row = target.data.data() + static_cast<size_t>(y) * target.width;
        std::fill(row + r.left, row + r.right, pixel);
    }
}

void xorArea(DeviceContext& dc, const RECT& logical, uint32_t mask) {
    RECT r = visiblePart(dc, logical);
    if (isEmpty(r)) return;
    display::Pixels& target = changing(dc, r);
    for (int y = r.top; y < r.bottom; ++y) {
        uint32_t* row = target.data.data() + static_cast<size_t>(y) * target.width;
        for (int x = r.left; x < r.right; ++x) row[x] ^= mask;
    }
}

void plot(DeviceContext& dc, int x, int y, uint32_t pixel) { fillArea(dc, RECT{x, y, x + 1, y + 1}, pixel); }

void xorPlot(DeviceContext& dc, int x, int y, uint32_t mask) { xorArea(dc, RECT{x, y, x + 1, y + 1}, mask); }

void horizontalLine(DeviceContext& dc, int left, int right, int y, uint32_t pixel) {
    fillArea(dc, RECT{left, y, right, y + 1}, pixel);
}

void verticalLine(DeviceContext& dc, int x, int top, int bottom, uint32_t pixel) {
    fillArea(dc, RECT{x, top, x + 1, bottom}, pixel);
}

void fillShape(DeviceContext& dc, const RECT& logical, const std::function<bool(double, double)>& inside,
               uint32_t pixel) {
    RECT inTarget = toTarget(dc, logical);
    RECT r = intersection(toDevice(dc, inTarget), drawableArea(dc));
    if (isEmpty(r)) return;
    const double factor = dc.target->scale.factor();
    display::Pixels& target = changing(dc, r);
    for (int y = r.top; y < r.bottom; ++y) {
        double programY = (y + 0.5) / factor - inTarget.top;
        uint32_t* row = target.data.data() + static_cast<size_t>(y) * target.width;
        for (int x = r.left; x < r.right; ++x)
            if (inside((x + 0.5) / factor - inTarget.left, programY)) row[x] = pixel;
    }
}

void blendCoverage(DeviceContext& dc, int deviceX, int deviceY, const uint8_t* coverage, int width, int rows,
                   uint32_t pixel, const RECT& limit) {
    RECT image{deviceX, deviceY, deviceX + width, deviceY + rows};
    RECT r = intersection(intersection(image, drawableArea(dc)), toDevice(dc, limit));
    if (isEmpty(r)) return;
    display::Pixels& target = changing(dc, r);
    for (int ty = r.top; ty < r.bottom; ++ty) {
        uint32_t* row = target.data.data() + static_cast<size_t>(ty) * target.width;
        const uint8_t* source = coverage + static_cast<size_t>(ty - image.top) * width;
        for (int tx = r.left; tx < r.right; ++tx) {
            uint32_t amount = source[tx - image.left];
            if (amount == 255)
                row[tx] = pixel;
            else if (amount != 0)
                row[tx] = blendPixel(row[tx], pixel, amount);
        }
    }
}

}  // namespace gdi
