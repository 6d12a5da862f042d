// A display without a screen: surfaces live in memory, input is injected by tests at
// screen coordinates, and whenever the program would wait for input the next scripted
// step runs. Screenshots come out as pixels or PNG files. At a scale other than one it is
// a high-resolution screen: input is injected and screenshots are taken in its device
// pixels, as a person's pointer and eyes meet them.
#pragma once

#include "display/display.h"

#include <deque>
#include <functional>
#include <map>
#include <string>

namespace display {

class HeadlessBackend : public Backend {
public:
    // The screen and work area in program pixels (the device has scale times as many).
    explicit HeadlessBackend(Rect screen = {0, 0, 1024, 768}, Rect workArea = {0, 0, 1024, 738}, Scale scale = {});

    // ---- Backend
    SurfaceId createSurface(const Rect& screenRect, const std::string& title) override;
    void moveSurface(SurfaceId id, const Rect& screenRect) override;
    void showSurface(SurfaceId id, bool visible) override;
    void raiseSurface(SurfaceId id) override;
    void focusSurface(SurfaceId id, bool byUser) override;
    void setSurfaceOwner(SurfaceId id, SurfaceId owner) override;
    void destroySurface(SurfaceId id) override;
    void setTitle(SurfaceId id, const std::string& title) override;
    void present(SurfaceId id, const Pixels& pixels) override;
    bool nextEvent(Event& out, bool wait) override;
    uint32_t now() const override;
    Rect screen() const override;
    Rect workArea() const override;
    Scale scale() const override { return scale_; }
    std::string clipboardText() override;
    void setClipboardText(const std::string& text) override;
    void setSelectionText(const std::string& text) override { selection_ = text; }
    void setCursor(Cursor cursor) override;
    void setHitTester(HitTester tester) override;

    // ---- Test side
    // A step runs when the program would wait for input and nothing is pending. When the
    // program waits with no step left, the run is a failed test: the backend reports it
    // and aborts the process rather than hang. The clock moves on a second before each
    // step, as time passes between a person's actions.
    using Step = std::function<void()>;
    void addStep(Step step);
    size_t stepsLeft() const;

    // Pointer input at device pixels of the screen.
    void mouseMove(int x, int y);
    void mouseDown(int x, int y, MouseButton button = MouseButton::Left);
    void mouseUp(int x, int y, MouseButton button = MouseButton::Left);
    void click(int x, int y, MouseButton button = MouseButton::Left);  // move, down, up
    void keyDown(uint32_t virtualKey, uint32_t modifiers = 0);
    void keyUp(uint32_t virtualKey, uint32_t modifiers = 0);
    // Down, then up. Modifiers not already held are pressed as keys of their own around
    // it (Control, Shift, Alt down first, released last), as a person makes a chord.
    void key(uint32_t virtualKey, uint32_t modifiers = 0);
    void type(const std::string& windows1252);  // one Text event a character
    void requestClose(SurfaceId id);
    void advanceClock(uint32_t milliseconds);  // the clock moves only when told (double clicks)
    // The desktop's scale changes (the window moved to another screen, the user chose
    // another size): surfaces are given pixels at the new scale from now on.
    void changeScale(Scale scale);
    // The screen loses what the surface showed, as a window uncovered on a desktop without
    // a copy of it does: black until the program sends all of it again (Exposed asks).
    void loseContents(SurfaceId id);

    struct SurfaceState {
        Rect rect;
        std::string title;
        bool visible = false;
        Pixels pixels;
        SurfaceId owner = 0;
    };
    // Surfaces bottom to top.
    std::vector<SurfaceId> surfaceOrder() const;
    const SurfaceState* surface(SurfaceId id) const;
    SurfaceId surfaceAt(int x, int y) const;  // topmost visible surface at a screen point (program pixels), or 0
    Pixels screenshot() const;                // visible surfaces composed on a desktop colour, in device pixels
    Cursor cursor() const { return cursor_; }
    // The surface that holds the desktop's keyboard focus, 0 for none (as after the
    // surface that had it went away).
    SurfaceId keyboardFocus() const { return keyboardFocus_; }
    const std::string& selectionText() const { return selection_; }

private:
    void push(Event event);
    // Where a surface is shown, in device pixels of the screen.
    Rect onScreen(const SurfaceState& state) const;
    void pointerEvent(EventType type, int x, int y, MouseButton button);
    void keyEvent(EventType type, uint32_t virtualKey, uint32_t modifiers);

    Rect screen_;
    Rect workArea_;
    Scale scale_;
    uint32_t clock_ = 1000;
    SurfaceId nextId_ = 1;
    std::map<SurfaceId, SurfaceState> surfaces_;
    std::vector<SurfaceId> order_;
    std::deque<Event> events_;
    std::deque<Step> steps_;
    std::string clipboard_;
    std::string selection_;
    Cursor cursor_ = Cursor::Arrow;
    SurfaceId keyboardFocus_ = 0;
    uint32_t modifiers_ = 0;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

// Installs a fresh headless backend as the layer's backend and returns it.
HeadlessBackend& installHeadless(Rect screen = {0, 0, 1024, 768}, Rect workArea = {0, 0, 1024, 738}, Scale scale = {});

bool writePng(const std::string& path, const Pixels& pixels);
bool readPng(const std::string& path, Pixels& pixels);

}  // namespace display
