#include "gdi/gdi_objects.h"

#include "gdi/font_face.h"

#include <cstring>
#include <unordered_map>

namespace gdi {

namespace {

// Handle values start high and grow without reuse; each is a multiple of 4, like the
// system's, and none can be taken for a resource number.
constexpr uintptr_t kFirstHandle = 0x10000;
constexpr uintptr_t kHandleStep = 4;

uintptr_t nextHandleValue() {
    static uintptr_t next = kFirstHandle;
    uintptr_t value = next;
    next += kHandleStep;
    return value;
}

std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>>& objects() {
    static std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>> table;
    return table;
}

std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>>& deviceContexts() {
    static std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>> table;
    return table;
}

void destroy(GdiObject* object) { objects().erase(reinterpret_cast<uintptr_t>(object->handle)); }

template <typename T>
T* addStock(std::unique_ptr<T> object) {
    object->stock = true;
    T* raw = object.get();
    addObject(std::move(object));
    return raw;
}

std::unique_ptr<Brush> brushOf(COLORREF colour, bool hollow = false) {
    auto brush = std::make_unique<Brush>();
    brush->colour = colour;
    brush->hollow = hollow;
    return brush;
}

std::unique_ptr<Pen> penOf(int style, COLORREF colour) {
    auto pen = std::make_unique<Pen>();
    pen->style = style;
    pen->colour = colour;
    return pen;
}

std::unique_ptr<Font> fontOf(int height, int weight, const char* face) {
    auto font = std::make_unique<Font>();
    font->logFont.lfHeight = height;
    font->logFont.lfWeight = weight;
    std::strncpy(font->logFont.lfFaceName, face, LF_FACESIZE - 1);
    font->face = fontFaceFor(font->logFont);
    return font;
}

}  // namespace

HGDIOBJ addObject(std::unique_ptr<GdiObject> object) {
    uintptr_t value = nextHandleValue();
    object->handle = reinterpret_cast<HGDIOBJ>(value);
    HGDIOBJ handle = object->handle;
    objects()[value] = std::move(object);
    return handle;
}

GdiObject* findObject(HGDIOBJ handle) {
    auto it = objects().find(reinterpret_cast<uintptr_t>(handle));
    return it == objects().end() ? nullptr : it->second.get();
}

bool deleteObject(HGDIOBJ handle) {
    GdiObject* object = findObject(handle);
    if (!object) return false;
    if (object->stock) return true;
    if (object->uses > 0) {
        object->deletePending = true;
        return true;
    }
    destroy(object);
    return true;
}

void useObject(GdiObject* object) {
    if (object) ++object->uses;
}

void endUse(GdiObject* object) {
    if (!object) return;
    --object->uses;
    if (object->uses == 0 && object->deletePending) destroy(object);
}

HDC addDeviceContext(std::unique_ptr<DeviceContext> dc) {
    uintptr_t value = nextHandleValue();
    deviceContexts()[value] = std::move(dc);
    return reinterpret_cast<HDC>(value);
}

DeviceContext* findDeviceContext(HDC handle) {
    auto it = deviceContexts().find(reinterpret_cast<uintptr_t>(handle));
    return it == deviceContexts().end() ? nullptr : it->second.get();
}

bool deleteDeviceContext(HDC handle) {
    auto it = deviceContexts().find(reinterpret_cast<uintptr_t>(handle));
    if (it == deviceContexts().end()) return false;
    std::unique_ptr<DeviceContext> dc = std::move(it->second);
    deviceContexts().erase(it);
    auto release = [](const DcState& state) {
        endUse(state.brush);
        endUse(state.pen);
        endUse(state.font);
    };
    release(dc->state);
    endUse(dc->bitmap);
    return true;
}

GdiObject* stockObject(int index) {
    static std::unordered_map<int, GdiObject*> made;
    if (auto it = made.find(index); it != made.end()) return it->second;
    GdiObject* object = nullptr;
    switch (index) {
    case WHITE_BRUSH:
        object = addStock(brushOf(RGB(255, 255, 255)));
        break;
    case LTGRAY_BRUSH:
        object = addStock(brushOf(RGB(192, 192, 192)));
        break;
    case GRAY_BRUSH:
        object = addStock(brushOf(RGB(128, 128, 128)));
        break;
    case DKGRAY_BRUSH:
        object = addStock(brushOf(RGB(64, 64, 64)));
        break;
    case BLACK_BRUSH:
        object = addStock(brushOf(RGB(0, 0, 0)));
        break;
    case NULL_BRUSH:
        object = addStock(brushOf(0, true));
        break;
    case WHITE_PEN:
        object = addStock(penOf(PS_SOLID, RGB(255, 255, 255)));
        break;
    case BLACK_PEN:
        object = addStock(penOf(PS_SOLID, RGB(0, 0, 0)));
        break;
    case NULL_PEN:
        object = addStock(penOf(PS_NULL, 0));
        break;
    // The system font is the classic bold 16-pixel one; the GUI font is the dialog font.
    case SYSTEM_FONT:
        object = addStock(fontOf(16, FW_BOLD, "System"));
        break;
    case DEFAULT_GUI_FONT:
        object = addStock(fontOf(-11, FW_NORMAL, "MS Sans Serif"));
        break;
    default:
        return nullptr;
    }
    made[index] = object;
    return object;
}

Brush* stockBrush(int index) { return static_cast<Brush*>(stockObject(index)); }
Pen* stockPen(int index) { return static_cast<Pen*>(stockObject(index)); }
Font* stockFont(int index) { return static_cast<Font*>(stockObject(index)); }

Bitmap* stockBitmap() {
    static Bitmap* bitmap = [] {
        auto made = std::make_unique<Bitmap>();
        made->pixels.resize(1, 1);
        made->bitsPerPixel = 1;
        return addStock(std::move(made));
    }();
    return bitmap;
}

Brush* makePermanentBrush(COLORREF colour) { return addStock(brushOf(colour)); }

}  // namespace gdi

// ---- GDI32: objects --------------------------------------------------------------------

using namespace gdi;

HGDIOBJ WINAPI GetStockObject(int i) {
    GdiObject* object = stockObject(i);
    return object ? object->handle : nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) { return deleteObject(ho) ? TRUE : FALSE; }

HBRUSH WINAPI CreateSolidBrush(COLORREF color) { return static_cast<HBRUSH>(addObject(brushOf(color & 0xFFFFFF))); }

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
    if (!lplf) return nullptr;
    auto font = std::make_unique<Font>();
    font->logFont = *lplf;
    font->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    font->face = fontFaceFor(font->logFont);
    return static_cast<HFONT>(addObject(std::move(font)));
}

HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                         DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                         DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName) {
    LOGFONTA logFont{};
    logFont.lfHeight = cHeight;
    logFont.lfWidth = cWidth;
    logFont.lfEscapement = cEscapement;
    logFont.lfOrientation = cOrientation;
    logFont.lfWeight = cWeight;
    logFont.lfItalic = static_cast<BYTE>(bItalic);
    logFont.lfUnderline = static_cast<BYTE>(bUnderline);
    logFont.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
    logFont.lfCharSet = static_cast<BYTE>(iCharSet);
    logFont.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    logFont.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    logFont.lfQuality = static_cast<BYTE>(iQuality);
    logFont.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName) std::strncpy(logFont.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&logFont);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    if (!findDeviceContext(hdc) || cx <= 0 || cy <= 0) return nullptr;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->pixels.resize(cx, cy);
    return static_cast<HBITMAP>(addObject(std::move(bitmap)));
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    GdiObject* object = findObject(h);
    if (!object) return 0;
    if (object->kind == ObjectKind::Bitmap) {
        const auto* bitmap = static_cast<const Bitmap*>(object);
        BITMAP info{};
        info.bmWidth = bitmap->pixels.width;
        info.bmHeight = bitmap->pixels.height;
        info.bmPlanes = 1;
        info.bmBitsPixel = static_cast<WORD>(bitmap->bitsPerPixel);
        // Rows are padded to whole 16-bit words, as device-dependent bitmaps are.
        info.bmWidthBytes = ((info.bmWidth * info.bmBitsPixel + 15) / 16) * 2;
        if (!pv) return sizeof info;
        int size = c < static_cast<int>(sizeof info) ? c : static_cast<int>(sizeof info);
        std::memcpy(pv, &info, static_cast<size_t>(size));
        return size;
    }
    if (object->kind == ObjectKind::Font) {
        const LOGFONTA& logFont = static_cast<const Font*>(object)->logFont;
        if (!pv) return sizeof logFont;
        int size = c < static_cast<int>(sizeof logFont) ? c : static_cast<int>(sizeof logFont);
        std::memcpy(pv, &logFont, static_cast<size_t>(size));
        return size;
    }
    return 0;
}
