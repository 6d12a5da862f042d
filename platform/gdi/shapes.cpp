// Filled and outlined shapes, pixels and block transfers.
#include "gdi/colour.h"
#include "gdi/gdi_objects.h"
#include "gdi/raster.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace gdi {

namespace {

constexpr uint32_t kInvertMask = 0xFFFFFF;

// A brush's colour; brushes may also be given as system colour index + 1, as window
// classes and FillRect callers do. A hollow brush has none.
std::optional<uint32_t> brushPixel(HBRUSH handle) {
    auto value = reinterpret_cast<uintptr_t>(handle);
    if (value >= 1 && value <= 31) return toPixel(GetSysColor(static_cast<int>(value - 1)));
    const Brush* brush = findObjectOf<Brush>(handle, ObjectKind::Brush);
    if (!brush || brush->hollow) return std::nullopt;
    return toPixel(brush->colour);
}

std::optional<uint32_t> selectedBrushPixel(const DeviceContext& dc) {
    if (dc.state.brush->hollow) return std::nullopt;
    return toPixel(dc.state.brush->colour);
}

void frameWith(DeviceContext& dc, const RECT& r, uint32_t pixel) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    horizontalLine(dc, r.left, r.right, r.top, pixel);
    horizontalLine(dc, r.left, r.right, r.bottom - 1, pixel);
    verticalLine(dc, r.left, r.top + 1, r.bottom - 1, pixel);
    verticalLine(dc, r.right - 1, r.top + 1, r.bottom - 1, pixel);
}

RECT normalised(int left, int top, int right, int bottom) {
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

}  // namespace

}  // namespace gdi

using namespace gdi;

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = findDeviceContext(hDC);
    if (!dc || !lprc) return 0;
    if (auto pixel = brushPixel(hbr)) fillArea(*dc, *lprc, *pixel);
    return 1;
}

int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = findDeviceContext(hDC);
    if (!dc || !lprc) return 0;
    if (auto pixel = brushPixel(hbr)) frameWith(*dc, *lprc, *pixel);
    return 1;
}

BOOL WINAPI InvertRect(HDC hDC, const RECT* lprc) {
    DeviceContext* dc = findDeviceContext(hDC);
    if (!dc || !lprc) return FALSE;
    xorArea(*dc, *lprc, kInvertMask);
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hDC, const RECT* lprc) {
    DeviceContext* dc = findDeviceContext(hDC);
    if (!dc || !lprc) return FALSE;
    const RECT& r = *lprc;
    if (r.left >= r.right || r.top >= r.bottom) return TRUE;
    // Every other pixel of the outline, inverted, so that drawing it twice removes it.
    // The pattern follows the device's grid in dots as long as a program pixel, so
    // corners are never inverted twice and the dots keep their size at every scale.
    RECT outline = visiblePart(*dc, r);
    if (isEmpty(outline)) return TRUE;
    RECT inner = toDevice(*dc, toTarget(*dc, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}));
    const display::Scale scale = dc->target->scale;
    int dot = std::max(1, static_cast<int>(std::lround(scale.factor())));
    display::Pixels& target = changing(*dc, outline);
    for (int y = outline.top; y < outline.bottom; ++y) {
        bool band = y < inner.top || y >= inner.bottom;
        uint32_t* row = target.data.data() + static_cast<size_t>(y) * target.width;
        for (int x = outline.left; x < outline.right; ++x) {
            if (!band && x >= inner.left && x < inner.right) continue;
            if (((x / dot + y / dot) & 1) == 0) row[x] ^= kInvertMask;
        }
    }
    return TRUE;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc) return FALSE;
    RECT r = normalised(left, top, right, bottom);
    bool outlined = dc->state.pen->style != PS_NULL;
    if (auto pixel = selectedBrushPixel(*dc)) {
        // Without a pen the fill covers what the outline would have, less its bottom-right.
        RECT inside = outlined ? RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}
                               : RECT{r.left, r.top, r.right - 1, r.bottom - 1};
        fillArea(*dc, inside, *pixel);
    }
    if (outlined) frameWith(*dc, r, toPixel(dc->state.pen->colour));
    return TRUE;
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    DeviceContext* destination = findDeviceContext(hdc);
    if (!destination || rop != SRCCOPY) return FALSE;
    DeviceContext* source = findDeviceContext(hdcSrc);
    if (!source || !source->target || cx <= 0 || cy <= 0) return FALSE;
    // Copy from a snapshot when source and destination are the same pixels.
    std::optional<display::Pixels> snapshot;
    if (source->target == destination->target) snapshot = *source->target;
    const display::Pixels& from = snapshot ? *snapshot : *source->target;
    const display::Scale toScale = destination->target->scale;
    const display::Scale fromScale = from.scale;
    // Each device pixel of the destination takes the source's program pixel at the same
    // place, and within it the device pixel at the same offset where the source has one
    // (a bitmap at scale one gives its one pixel to all of them).
    auto sourceDevice = [&](int targetDevice, int shift, int limit) {
        int program = toScale.toProgram(targetDevice);
        int within = targetDevice - toScale.toDevice(program);
        int sourceProgram = program + shift;
        int first = fromScale.toDevice(sourceProgram);
        int span = fromScale.toDevice(sourceProgram + 1) - first;
        int device = first + std::min(within, span - 1);
        return device >= 0 && device < limit ? device : -1;
    };
    int shiftX = x1 + source->origin.x - (x + destination->origin.x);
    int shiftY = y1 + source->origin.y - (y + destination->origin.y);
    RECT r = visiblePart(*destination, RECT{x, y, x + cx, y + cy});
    display::Pixels& to = changing(*destination, r);
    for (int ty = r.top; ty < r.bottom; ++ty) {
        int sy = sourceDevice(ty, shiftY, from.height);
        if (sy < 0) continue;
        for (int tx = r.left; tx < r.right; ++tx) {
            int sx = sourceDevice(tx, shiftX, from.width);
            if (sx >= 0) to.data[static_cast<size_t>(ty) * to.width + tx] = from.at(sx, sy);
        }
    }
    return TRUE;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc) return CLR_INVALID;
    RECT r = visiblePart(*dc, RECT{x, y, x + 1, y + 1});
    if (isEmpty(r)) return CLR_INVALID;
    plot(*dc, x, y, toPixel(color));
    return color & 0xFFFFFF;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc) return CLR_INVALID;
    RECT r = visiblePart(*dc, RECT{x, y, x + 1, y + 1});
    if (isEmpty(r)) return CLR_INVALID;
    return toColorRef(dc->target->at(r.left, r.top));
}
