// Filled and outlined shapes, pixels and block transfers.
#include "gdi/colour.h"
#include "gdi/gdi_objects.h"
#include "gdi/raster.h"

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
    // The pattern follows the pixel grid, so corners are never inverted twice.
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) xorPlot(*dc, x, y, kInvertMask);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left) dot(r.right - 1, y);
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
    const display::Pixels& from = *source->target;
    // Copy out first: source and destination may be the same pixels.
    int sourceLeft = x1 + source->origin.x;
    int sourceTop = y1 + source->origin.y;
    std::vector<uint32_t> block(static_cast<size_t>(cx) * cy);
    std::vector<uint8_t> present(block.size(), 0);
    for (int row = 0; row < cy; ++row) {
        int sy = sourceTop + row;
        if (sy < 0 || sy >= from.height) continue;
        for (int column = 0; column < cx; ++column) {
            int sx = sourceLeft + column;
            if (sx < 0 || sx >= from.width) continue;
            size_t i = static_cast<size_t>(row) * cx + column;
            block[i] = from.at(sx, sy);
            present[i] = 1;
        }
    }
    RECT r = visiblePart(*destination, RECT{x, y, x + cx, y + cy});
    display::Pixels& to = *destination->target;
    for (int ty = r.top; ty < r.bottom; ++ty) {
        for (int tx = r.left; tx < r.right; ++tx) {
            size_t i = static_cast<size_t>(ty - (y + destination->origin.y)) * cx + (tx - (x + destination->origin.x));
            if (present[i]) to.data[static_cast<size_t>(ty) * to.width + tx] = block[i];
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
