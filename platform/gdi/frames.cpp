// The classic 3-D look: edges, push-button frames, check boxes, radio buttons and the
// caption close box, all in the system colours.
#include "gdi/colour.h"
#include "gdi/gdi_objects.h"
#include "gdi/raster.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace gdi {

namespace {

uint32_t sysPixel(int index) { return toPixel(GetSysColor(index)); }

// One ring of a 3-D border on the chosen sides: `light` on the top and left, `dark` on
// the bottom and right, which also own the two corners where the colours meet. The
// rectangle shrinks by one on each side drawn.
void ring(DeviceContext& dc, RECT& r, UINT sides, uint32_t light, uint32_t dark) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    if (sides & BF_TOP) horizontalLine(dc, r.left, (sides & BF_RIGHT) ? r.right - 1 : r.right, r.top, light);
    if (sides & BF_LEFT) verticalLine(dc, r.left, r.top, (sides & BF_BOTTOM) ? r.bottom - 1 : r.bottom, light);
    if (sides & BF_BOTTOM) horizontalLine(dc, r.left, r.right, r.bottom - 1, dark);
    if (sides & BF_RIGHT) verticalLine(dc, r.right - 1, r.top, r.bottom, dark);
    if (sides & BF_TOP) ++r.top;
    if (sides & BF_LEFT) ++r.left;
    if (sides & BF_BOTTOM) --r.bottom;
    if (sides & BF_RIGHT) --r.right;
}

void fullRing(DeviceContext& dc, RECT& r, uint32_t light, uint32_t dark) { ring(dc, r, BF_RECT, light, dark); }

void pushButton(DeviceContext& dc, RECT& r, UINT state) {
    if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
        // A soft sunken edge: the darkest ring outside on the top and left.
        fullRing(dc, r, sysPixel(COLOR_3DDKSHADOW), sysPixel(COLOR_BTNHIGHLIGHT));
        fullRing(dc, r, sysPixel(COLOR_BTNSHADOW), sysPixel(COLOR_3DLIGHT));
    } else if (state & DFCS_FLAT) {
        fullRing(dc, r, sysPixel(COLOR_BTNSHADOW), sysPixel(COLOR_BTNSHADOW));
        InflateRect(&r, -1, -1);
    } else {
        fullRing(dc, r, sysPixel(COLOR_BTNHIGHLIGHT), sysPixel(COLOR_3DDKSHADOW));
        fullRing(dc, r, sysPixel(COLOR_3DLIGHT), sysPixel(COLOR_BTNSHADOW));
    }
    fillArea(dc, r, sysPixel(COLOR_BTNFACE));
}

constexpr int kCheckBoxSize = 13;

// The check mark in a 7 x 7 square: a stroke three pixels tall falling from the left to
// its lowest point 2.5 pixels in, then rising to the top right. A shape, so that its
// slants are stepped at the device's pixels.
void checkMark(DeviceContext& dc, int x, int y, uint32_t pixel) {
    fillShape(
        dc, RECT{x, y, x + 7, y + 7},
        [](double px, double py) {
            double middle = std::min(px + 3, 8 - px);  // the stroke's centre line
            return std::abs(py - middle) < 1.5;
        },
        pixel);
}

void checkBox(DeviceContext& dc, const RECT& area, UINT state) {
    RECT box{area.left, area.top + (area.bottom - area.top - kCheckBoxSize) / 2, 0, 0};
    box.right = box.left + kCheckBoxSize;
    box.bottom = box.top + kCheckBoxSize;
    fullRing(dc, box, sysPixel(COLOR_BTNSHADOW), sysPixel(COLOR_BTNHIGHLIGHT));
    fullRing(dc, box, sysPixel(COLOR_3DDKSHADOW), sysPixel(COLOR_3DLIGHT));
    bool dim = state & (DFCS_PUSHED | DFCS_INACTIVE);
    fillArea(dc, box, sysPixel(dim ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED)
        checkMark(dc, box.left + 1, box.top + 1, sysPixel((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
}

// The part of a disc around (centre, centre) whose squared distance from the centre is in
// [from, to); `half` keeps one side of the diagonal from bottom-left to top-right: above
// it (true) or below it (false), or both when absent.
std::function<bool(double, double)> discPart(double centre, double from, double to, std::optional<bool> half = {}) {
    return [=](double px, double py) {
        double squared = (px - centre) * (px - centre) + (py - centre) * (py - centre);
        return squared >= from && squared < to && (!half || (px + py <= 2 * centre) == *half);
    };
}

void radioButton(DeviceContext& dc, const RECT& area, UINT state) {
    // Shapes, so that the rings are round at the device's pixels: the inside (radius 4),
    // an inner ring to radius 5 and an outer one to about 5.8; the rings are light above
    // the diagonal from bottom-left to top-right and dark below it, like the square box's
    // edges. At 100 % no pixel centre lies on a ring's boundary; those on the diagonal
    // count as above it.
    constexpr int kSize = 12;
    constexpr double kCentre = kSize / 2.0;
    RECT box{area.left, area.top + (area.bottom - area.top - kSize) / 2, 0, 0};
    box.right = box.left + kSize;
    box.bottom = box.top + kSize;
    bool dim = state & (DFCS_PUSHED | DFCS_INACTIVE);
    fillShape(dc, box, discPart(kCentre, 25, 34, true), sysPixel(COLOR_BTNSHADOW));
    fillShape(dc, box, discPart(kCentre, 25, 34, false), sysPixel(COLOR_BTNHIGHLIGHT));
    fillShape(dc, box, discPart(kCentre, 16, 25, true), sysPixel(COLOR_3DDKSHADOW));
    fillShape(dc, box, discPart(kCentre, 16, 25, false), sysPixel(COLOR_3DLIGHT));
    fillShape(dc, box, discPart(kCentre, 0, 16), sysPixel(dim ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED)
        fillShape(dc, RECT{box.left + 4, box.top + 4, box.left + 8, box.top + 8}, discPart(2, 0, 4),
                  sysPixel((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
}

// The close box's cross: two strokes two pixels wide from corner to corner of an 8 x 7
// box, drawn as a shape so that at any scale its edges are the device's.
void drawCross(DeviceContext& dc, int x, int y, uint32_t pixel) {
    constexpr int kWidth = 8;
    constexpr int kHeight = 7;
    fillShape(
        dc, RECT{x, y, x + kWidth, y + kHeight},
        [](double px, double py) {
            double down = px - py, up = px + py;
            return (down >= -0.5 && down < 1.5) || (up >= 6.5 && up < 8.5);
        },
        pixel);
}

void closeBox(DeviceContext& dc, RECT& r, UINT state) {
    constexpr int kWidth = 8;
    constexpr int kHeight = 7;
    pushButton(dc, r, state);
    int x = r.left + (r.right - r.left - kWidth) / 2;
    int y = r.top + (r.bottom - r.top - kHeight) / 2;
    if (state & DFCS_PUSHED) {
        ++x;
        ++y;
    }
    if (state & DFCS_INACTIVE) {
        drawCross(dc, x + 1, y + 1, sysPixel(COLOR_BTNHIGHLIGHT));
        drawCross(dc, x, y, sysPixel(COLOR_BTNSHADOW));
    } else {
        drawCross(dc, x, y, sysPixel(COLOR_BTNTEXT));
    }
}

}  // namespace

}  // namespace gdi

using namespace gdi;

BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc || !qrc) return FALSE;
    RECT r = *qrc;
    UINT sides = grfFlags & BF_RECT;
    if (edge & BDR_RAISEDOUTER)
        ring(*dc, r, sides, sysPixel(COLOR_3DLIGHT), sysPixel(COLOR_3DDKSHADOW));
    else if (edge & BDR_SUNKENOUTER)
        ring(*dc, r, sides, sysPixel(COLOR_BTNSHADOW), sysPixel(COLOR_BTNHIGHLIGHT));
    if (edge & BDR_RAISEDINNER)
        ring(*dc, r, sides, sysPixel(COLOR_BTNHIGHLIGHT), sysPixel(COLOR_BTNSHADOW));
    else if (edge & BDR_SUNKENINNER)
        ring(*dc, r, sides, sysPixel(COLOR_3DDKSHADOW), sysPixel(COLOR_3DLIGHT));
    if (grfFlags & BF_MIDDLE) fillArea(*dc, r, sysPixel(COLOR_BTNFACE));
    if (grfFlags & BF_ADJUST) *qrc = r;
    return TRUE;
}

BOOL WINAPI DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc || !lprc) return FALSE;
    RECT r = *lprc;
    if (uType == DFC_BUTTON) {
        if (uState & DFCS_BUTTONPUSH) {
            pushButton(*dc, r, uState);
            if (uState & DFCS_ADJUSTRECT) *lprc = r;
        } else if (uState & DFCS_BUTTONRADIO) {
            radioButton(*dc, r, uState);
        } else {
            checkBox(*dc, r, uState);
        }
        return TRUE;
    }
    if (uType == DFC_CAPTION && (uState & 0xFF) == DFCS_CAPTIONCLOSE) {
        closeBox(*dc, r, uState);
        if (uState & DFCS_ADJUSTRECT) *lprc = r;
        return TRUE;
    }
    return FALSE;
}
