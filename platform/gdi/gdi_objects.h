// The objects behind GDI handles: brushes, pens, fonts, bitmaps and device contexts.
// Handles are numbers from a table, never addresses, so a handle deleted twice (a dialog's
// shared font is released by both the control and the dialog) is refused instead of
// freeing whatever object took its place.
#pragma once

#include "display/display.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace gdi {

class FontFace;

enum class ObjectKind { Brush, Pen, Font, Bitmap };

struct GdiObject {
    explicit GdiObject(ObjectKind objectKind) : kind(objectKind) {}
    virtual ~GdiObject() = default;

    ObjectKind kind;
    HGDIOBJ handle = nullptr;
    bool stock = false;          // DeleteObject leaves it alone
    int uses = 0;                // device contexts holding it
    bool deletePending = false;  // deleted while selected: goes when the last use ends
};

struct Brush : GdiObject {
    Brush() : GdiObject(ObjectKind::Brush) {}
    bool hollow = false;
    COLORREF colour = 0;
};

struct Pen : GdiObject {
    Pen() : GdiObject(ObjectKind::Pen) {}
    int style = PS_SOLID;
    COLORREF colour = 0;
};

struct Font : GdiObject {
    Font() : GdiObject(ObjectKind::Font) {}
    LOGFONTA logFont{};
    const FontFace* face = nullptr;  // shared, lives as long as the process
};

struct Bitmap : GdiObject {
    Bitmap() : GdiObject(ObjectKind::Bitmap) {}
    display::Pixels pixels;
    int bitsPerPixel = 32;
};

// The objects, colours, mode and clip a device context draws with.
struct DcState {
    Brush* brush = nullptr;
    Pen* pen = nullptr;
    Font* font = nullptr;
    COLORREF textColour = 0x000000;
    COLORREF backgroundColour = 0xFFFFFF;
    int backgroundMode = OPAQUE;
    RECT clip{0, 0, 0, 0};  // in target coordinates
};

struct DeviceContext {
    display::Pixels* target = nullptr;  // the window surface, or the selected bitmap's pixels
    POINT origin{0, 0};                 // where logical (0, 0) lies in the target
    Bitmap* bitmap = nullptr;           // memory DCs only
    DcState state;
};

// ---- handle table
HGDIOBJ addObject(std::unique_ptr<GdiObject> object);
GdiObject* findObject(HGDIOBJ handle);
template <typename T>
T* findObjectOf(HGDIOBJ handle, ObjectKind kind) {
    GdiObject* object = findObject(handle);
    return object && object->kind == kind ? static_cast<T*>(object) : nullptr;
}
// Frees a non-stock object now, or when its last use ends if it is still selected.
bool deleteObject(HGDIOBJ handle);
void useObject(GdiObject* object);
void endUse(GdiObject* object);

HDC addDeviceContext(std::unique_ptr<DeviceContext> dc);
DeviceContext* findDeviceContext(HDC handle);
bool deleteDeviceContext(HDC handle);

// ---- stock objects, made on first use
GdiObject* stockObject(int index);
Brush* stockBrush(int index);
Pen* stockPen(int index);
Font* stockFont(int index);
Bitmap* stockBitmap();  // the 1 x 1 bitmap a new memory DC starts with
// A brush that nobody may delete, for the system colour brushes.
Brush* makePermanentBrush(COLORREF colour);

}  // namespace gdi
