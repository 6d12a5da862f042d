// Device contexts: on window surfaces (for the window manager) and in memory (for
// bitmaps), their selected objects, colours, modes and clip.
#include "gdi/gdi_objects.h"
#include "gdi/raster.h"
#include "gdi/surface_dc.h"

namespace gdi {

namespace {

std::unique_ptr<DeviceContext> freshDeviceContext() {
    auto dc = std::make_unique<DeviceContext>();
    dc->state.brush = stockBrush(WHITE_BRUSH);
    dc->state.pen = stockPen(BLACK_PEN);
    dc->state.font = stockFont(SYSTEM_FONT);
    useObject(dc->state.brush);
    useObject(dc->state.pen);
    useObject(dc->state.font);
    return dc;
}

void targetBitmap(DeviceContext& dc, Bitmap* bitmap) {
    dc.bitmap = bitmap;
    dc.target = &bitmap->pixels;
    dc.origin = POINT{0, 0};
    dc.state.clip = RECT{0, 0, bitmap->pixels.width, bitmap->pixels.height};
}

template <typename T>
HGDIOBJ swapSelected(T*& slot, T* chosen) {
    T* previous = slot;
    HGDIOBJ previousHandle = previous ? previous->handle : nullptr;
    useObject(chosen);
    slot = chosen;
    endUse(previous);
    return previousHandle;
}

}  // namespace

HDC createSurfaceDC(display::Pixels& surface, POINT origin, const RECT& clip) {
    auto dc = freshDeviceContext();
    dc->target = &surface;
    dc->origin = origin;
    dc->state.clip = clip;
    return addDeviceContext(std::move(dc));
}

void restrictSurfaceDC(HDC handle, const RECT& clipInSurface) {
    if (DeviceContext* dc = findDeviceContext(handle)) dc->state.clip = intersection(dc->state.clip, clipInSurface);
}

}  // namespace gdi

using namespace gdi;

HDC WINAPI CreateCompatibleDC(HDC) {
    auto dc = freshDeviceContext();
    Bitmap* bitmap = stockBitmap();
    useObject(bitmap);
    targetBitmap(*dc, bitmap);
    return addDeviceContext(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC hdc) { return deleteDeviceContext(hdc) ? TRUE : FALSE; }

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* dc = findDeviceContext(hdc);
    GdiObject* object = findObject(h);
    if (!dc || !object) return nullptr;
    switch (object->kind) {
    case ObjectKind::Brush:
        return swapSelected(dc->state.brush, static_cast<Brush*>(object));
    case ObjectKind::Pen:
        return swapSelected(dc->state.pen, static_cast<Pen*>(object));
    case ObjectKind::Font:
        return swapSelected(dc->state.font, static_cast<Font*>(object));
    case ObjectKind::Bitmap: {
        auto* bitmap = static_cast<Bitmap*>(object);
        // Only memory DCs draw into bitmaps, and a bitmap is in one DC at a time.
        if (!dc->bitmap) return nullptr;
        if (bitmap == dc->bitmap) return h;
        if (bitmap->uses > 0 && !bitmap->stock) return nullptr;
        Bitmap* previous = dc->bitmap;
        HGDIOBJ previousHandle = previous->handle;
        useObject(bitmap);
        targetBitmap(*dc, bitmap);
        endUse(previous);
        return previousHandle;
    }
    }
    return nullptr;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->state.textColour;
    dc->state.textColour = color & 0xFFFFFF;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    DeviceContext* dc = findDeviceContext(hdc);
    return dc ? dc->state.textColour : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->state.backgroundColour;
    dc->state.backgroundColour = color & 0xFFFFFF;
    return previous;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->state.backgroundMode;
    dc->state.backgroundMode = mode;
    return previous;
}
