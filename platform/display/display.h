// The display backend interface: what the window layer needs from a screen. The layer
// draws every pixel itself (non-client area included) into one surface per top-level
// window; a backend only shows those pixels and reports input in screen coordinates.
// Coordinates are the program's (96-DPI) pixels; surface pixels are device pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace display {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return left >= right || top >= bottom; }
};

// How many device pixels a program pixel is: the program always draws and measures in
// 96-DPI pixels; a screen of `dpi` dots per inch shows each as dpi / 96 device pixels.
// Kept as a whole number of dots so that both directions are exact integer arithmetic:
// the program's edge x lies on device edge round(x * dpi / 96), and a device pixel
// belongs to the one program pixel whose edges enclose it.
struct Scale {
    static constexpr int kProgramDpi = 96;
    int dpi = kProgramDpi;

    bool isOne() const { return dpi == kProgramDpi; }
    double factor() const { return double(dpi) / kProgramDpi; }
    // The device edge of program edge x (rounded half up).
    int toDevice(int x) const { return floorDivide(int64_t(x) * dpi + kProgramDpi / 2, kProgramDpi); }
    // The program pixel holding device pixel d: the largest p with toDevice(p) <= d.
    int toProgram(int d) const { return floorDivide(int64_t(d) * kProgramDpi + kProgramDpi / 2 - 1, dpi); }
    // A device-pixel count for a length in program pixels (a surface's width).
    int deviceLength(int length) const { return toDevice(length); }
    // A window's pixels are laid out from its own origin (program `origin`, on device edge
    // toDevice(origin)), not from the screen's: program edge x of the window on the
    // device, and the program pixel of the window holding device pixel d.
    int toDeviceIn(int x, int origin) const { return toDevice(origin) + toDevice(x - origin); }
    int toProgramIn(int d, int origin) const { return origin + toProgram(d - toDevice(origin)); }

private:
    // Floor division, kept within int: "no limit" rectangles near the int range stay so.
    static int floorDivide(int64_t a, int64_t b) {
        int64_t q = a / b;
        if (a % b != 0 && (a < 0) != (b < 0)) --q;
        constexpr int64_t kLimit = INT32_MAX / 2;
        return static_cast<int>(q < -kLimit ? -kLimit : (q > kLimit ? kLimit : q));
    }
};

inline bool operator==(Scale a, Scale b) { return a.dpi == b.dpi; }
inline bool operator!=(Scale a, Scale b) { return a.dpi != b.dpi; }

// 32-bit pixels, 0x00RRGGBB, row-major, width * height of them. A window's surface holds
// device pixels at its scale; bitmaps and pictures are at scale one.
struct Pixels {
    int width = 0;
    int height = 0;
    Scale scale;
    std::vector<uint32_t> data;
    // The device pixels written since the layer last presented them (empty when none):
    // a repaint sends the screen only what it changed, a few kilobytes for a typed
    // character where the whole surface of a 200 % screen is six megabytes.
    Rect changed;
    void markChanged(const Rect& area);
    void resize(int w, int h, uint32_t fill = 0);
    // Device pixels for a program-sized area of w x h at `deviceScale`.
    void resizeScaled(int w, int h, Scale deviceScale, uint32_t fill = 0) {
        scale = deviceScale;
        resize(deviceScale.deviceLength(w), deviceScale.deviceLength(h), fill);
    }
    uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};

using SurfaceId = uint32_t;  // 0 is no surface

enum class EventType {
    MouseMove,
    MouseDown,
    MouseUp,
    KeyDown,
    KeyUp,
    Text,          // text typed, Windows-1252 bytes in `text`
    CloseRequest,  // the user asked the surface's window to close (outside our own close box)
    Moved,         // the backend moved a surface (caption dragged by the system); `x`, `y` new position
    FocusLost,
    FocusGained,
    ScaleChanged,  // the desktop's scale changed: every surface is drawn again at backend().scale()
    Exposed,       // the surface's window lost what it showed (uncovered, mapped): present all of it again
};

enum class MouseButton { None, Left, Right, Middle };

enum Modifier : uint32_t { ModShift = 1, ModControl = 2, ModAlt = 4 };

struct Event {
    EventType type = EventType::MouseMove;
    SurfaceId surface = 0;  // where the event happened, 0 when not known
    int x = 0;              // screen coordinates (program pixels) for mouse events and Moved
    int y = 0;
    MouseButton button = MouseButton::None;
    uint32_t virtualKey = 0;  // Win32 virtual-key code for KeyDown/KeyUp
    bool repeat = false;      // auto-repeat of a held key
    uint32_t modifiers = 0;   // Modifier bits at the time of the event
    uint32_t time = 0;        // milliseconds, monotonic; double clicks are judged on it
    std::string text;         // Text events
};

enum class Cursor { Arrow, IBeam };

// What a point of a surface is, for backends that let the system move windows.
enum class HitArea { Client, Caption };
using HitTester = std::function<HitArea(SurfaceId, int localX, int localY)>;

class Backend {
public:
    virtual ~Backend() = default;

    virtual SurfaceId createSurface(const Rect& screenRect, const std::string& title) = 0;
    virtual void moveSurface(SurfaceId id, const Rect& screenRect) = 0;
    virtual void showSurface(SurfaceId id, bool visible) = 0;
    virtual void raiseSurface(SurfaceId id) = 0;
    // The layer made the surface's window the active one. The desktop's keyboard focus
    // follows it while the program holds the focus (or nobody does); a click (byUser)
    // takes it from anyone, as the user asked for it.
    virtual void focusSurface(SurfaceId id, bool byUser) = 0;
    // An owned window (a dialog, a message box) stays with its owner's surface.
    virtual void setSurfaceOwner(SurfaceId id, SurfaceId owner) = 0;
    virtual void destroySurface(SurfaceId id) = 0;
    virtual void setTitle(SurfaceId id, const std::string& title) = 0;
    // Show these pixels as the surface's content (pixels match its size). Only the area
    // `pixels.changed` differs from what the surface was last given; a backend that loses
    // what it showed asks for all of it again with an Exposed event.
    virtual void present(SurfaceId id, const Pixels& pixels) = 0;

    // Next input event. With wait false returns false at once when none is pending. With
    // wait true blocks until one arrives (never spinning), or returns false after doing
    // something that may have changed the program's state without input (a headless
    // test step may post messages); the caller then looks at its queues again.
    virtual bool nextEvent(Event& out, bool wait) = 0;
    // Milliseconds on the backend's clock, the clock of Event::time.
    virtual uint32_t now() const = 0;

    // In program pixels: the device's pixels divided by the scale.
    virtual Rect screen() const = 0;
    virtual Rect workArea() const = 0;
    // Device pixels per program pixel. Surfaces are given pixels at this scale; rects and
    // input stay in program pixels on both sides of this interface.
    virtual Scale scale() const = 0;

    virtual std::string clipboardText() = 0;                     // Windows-1252
    virtual void setClipboardText(const std::string& text) = 0;  // Windows-1252
    // Text selected with the mouse, which desktops offer to other programs apart from the
    // clipboard (X's PRIMARY selection, pasted with the middle button). Windows-1252.
    virtual void setSelectionText(const std::string& text) = 0;
    virtual void setCursor(Cursor cursor) = 0;
    virtual void setHitTester(HitTester tester) = 0;
};

// The backend the layer uses. Tests install a headless one; the program picks one at start.
Backend& backend();
void setBackend(std::unique_ptr<Backend> backend);
bool hasBackend();

}  // namespace display
