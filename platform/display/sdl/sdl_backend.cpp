#include "display/sdl/sdl_backend.h"

#include "codepage/windows1252.h"
#include "display/sdl/desktop_scale.h"
#include "display/sdl/key_mapping.h"
#include "display/sdl/window_canvas.h"
#include "display/sdl/window_units.h"
#include "kernel/stop_signals.h"

#ifdef EDITOR_HAVE_X11
#define SDL_VIDEO_DRIVER_X11 1  // SDL_syswm.h then declares the X11 window information
#endif
#include <SDL.h>
#include <SDL_syswm.h>
#undef None  // Xlib's, which SDL_syswm.h brings in; our enumerators have that name

#ifdef EDITOR_HAVE_X11
#include "display/sdl/x11_clipboard.h"
#include "display/sdl/x11_desktop.h"
#include "display/sdl/x11_pixels.h"
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <vector>

#include <poll.h>

namespace display {

namespace {

// The program's own small picture for the desktop's task bar and window lists: a closed
// book, blue cover, white pages. packaging/icons/translation-editor.svg draws the same
// rectangles for the desktop's menus; the package test compares the two.
SDL_Surface* makeIcon() {
    constexpr int size = 32;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return nullptr;
    auto* pixels = static_cast<uint32_t*>(icon->pixels);
    int pitch = icon->pitch / 4;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            uint32_t colour = 0;                                                           // transparent
            if (x >= 5 && x < 27 && y >= 3 && y < 29) colour = 0xFF1F4E9C;                 // cover
            if (x >= 9 && x < 27 && y >= 25 && y < 28) colour = 0xFFFFFFFF;                // page edges
            if (x >= 7 && x < 9 && y >= 3 && y < 29) colour = 0xFF0F2E62;                  // spine
            if (x >= 12 && x < 24 && (y == 8 || y == 11 || y == 14)) colour = 0xFFE8E8E8;  // title lines
            pixels[y * pitch + x] = colour;
        }
    return icon;
}

class SdlBackend : public Backend {
public:
    SdlBackend() {
        arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        iBeam_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_IBEAM);
        icon_ = makeIcon();
        traceFirstFrame_ = std::getenv("EDITOR_TRACE_FIRST_FRAME") != nullptr;
        if (wayland_) units_.buffer = bufferScaleBeforeAnyWindow();
        units_.drawn = findScale();
        SDL_StartTextInput();
    }

    ~SdlBackend() override {
        for (auto& [id, surface] : surfaces_) {
            surface.canvas.reset();  // its renderer goes before the window
            SDL_DestroyWindow(surface.window);
        }
        SDL_FreeCursor(arrow_);
        SDL_FreeCursor(iBeam_);
        if (icon_) SDL_FreeSurface(icon_);
        SDL_Quit();
    }

    SurfaceId createSurface(const Rect& rect, const std::string& title) override {
        // On Wayland the buffer then has the output's pixels, which we fill one for one;
        // without it the compositor would enlarge a buffer of logical size.
        uint32_t flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | (wayland_ ? SDL_WINDOW_ALLOW_HIGHDPI : 0);
        SDL_Window* window =
            SDL_CreateWindow(codepage::windows1252ToUtf8(title).c_str(), toSdl(rect.left), toSdl(rect.top),
                             sdlLength(rect.width()), sdlLength(rect.height()), flags);
        if (!window) {
            std::fprintf(stderr, "display: cannot create a window: %s\n", SDL_GetError());
            return 0;
        }
        SurfaceId id = nextId_++;
        surfaces_[id] =
            Surface{window, rect, false, false, 0, false, std::make_unique<sdl::WindowCanvas>(window, wayland_)};
#ifdef EDITOR_HAVE_X11
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
            surfaces_[id].xwindow = info.info.x11.window;
            if (!x11_) {
                x11_ = info.info.x11.display;
                windowManager_ = x11::windowManagerRuns(x11_);
                x11::watchRootResources(x11_);
            }
            surfaces_[id].direct = x11::takesPixelsAsTheyAre(x11_, surfaces_[id].xwindow);
        }
#endif
        if (icon_) SDL_SetWindowIcon(window, icon_);
        if (hitTester_ && windowManager_) SDL_SetWindowHitTest(window, &SdlBackend::hitTest, this);
        return id;
    }

    void moveSurface(SurfaceId id, const Rect& rect) override {
        Surface* surface = find(id);
        if (!surface) return;
        // Setting an unchanged position is not free on X11 (SDL waits for the move).
        if (rect.left != surface->rect.left || rect.top != surface->rect.top)
            SDL_SetWindowPosition(surface->window, toSdl(rect.left), toSdl(rect.top));
        if (rect.width() != surface->rect.width() || rect.height() != surface->rect.height()) {
            SDL_SetWindowSize(surface->window, sdlLength(rect.width()), sdlLength(rect.height()));
            surface->presented = false;  // the window's pixel buffer is made anew
        }
        surface->rect = rect;
    }

    void showSurface(SurfaceId id, bool visible) override {
        Surface* surface = find(id);
        if (!surface || surface->visible == visible) return;
        surface->visible = visible;
        if (visible) {
#ifdef EDITOR_HAVE_X11
            x11::XWindow focusBefore = x11_ && !windowManager_ ? x11::focusHolder(x11_) : 0;
#endif
            SDL_ShowWindow(surface->window);
#ifdef EDITOR_HAVE_X11
            // The layer hands the focus on when it activates the window, not on showing it.
            if (x11_ && !windowManager_ && surface->xwindow && id != focusWanted_) {
                std::vector<x11::XWindow> ours = ourXWindows();
                x11::giveFocusBack(x11_, surface->xwindow, focusBefore, ours.data(), static_cast<int>(ours.size()));
            }
#endif
            refresh(*surface);  // pixels presented while hidden never reached the screen
            if (id == focusWanted_) giveFocus(*surface, focusWantedByUser_);
        } else {
            SDL_HideWindow(surface->window);
        }
    }

    void raiseSurface(SurfaceId id) override {
        if (Surface* surface = find(id)) SDL_RaiseWindow(surface->window);
    }

    void focusSurface(SurfaceId id, bool byUser) override {
        Surface* surface = find(id);
        if (!surface) return;
        focusWanted_ = id;
        focusWantedByUser_ = byUser;
        if (surface->visible) giveFocus(*surface, byUser);
    }

    void setSurfaceOwner(SurfaceId id, SurfaceId ownerId) override {
        Surface* surface = find(id);
        Surface* owner = find(ownerId);
        if (!surface || !owner) return;
#ifdef EDITOR_HAVE_X11
        if (x11_ && surface->xwindow && owner->xwindow) x11::makeDialogOf(x11_, surface->xwindow, owner->xwindow);
#endif
    }

    void destroySurface(SurfaceId id) override {
        Surface* surface = find(id);
        if (!surface) return;
        if (focusWanted_ == id) focusWanted_ = 0;
        surface->canvas.reset();
        SDL_DestroyWindow(surface->window);
        surfaces_.erase(id);
    }

    void setTitle(SurfaceId id, const std::string& title) override {
        if (Surface* surface = find(id))
            SDL_SetWindowTitle(surface->window, codepage::windows1252ToUtf8(title).c_str());
    }

    void present(SurfaceId id, const Pixels& pixels) override {
        Surface* surface = find(id);
        if (!surface || pixels.width <= 0 || pixels.height <= 0) return;
#ifdef EDITOR_HAVE_X11
        if (surface->direct) {
            // A window not on screen keeps nothing; its Expose asks for all of it.
            if (!surface->visible || pixels.changed.empty()) return;
            x11::putPixels(x11_, surface->xwindow, pixels, pixels.changed);
            traceFirstFrame();
            return;
        }
#endif
        // The canvas keeps what it was given, unless it was made anew.
        Rect area = surface->presented ? pixels.changed : Rect{0, 0, pixels.width, pixels.height};
        if (!surface->canvas->take(pixels, area)) return;
        surface->presented = true;
        if (surface->visible && !area.empty()) {
            surface->canvas->show(area);
            traceFirstFrame();
        }
    }

    bool nextEvent(Event& out, bool wait) override {
        SDL_Event event;
        for (;;) {
            while (SDL_PollEvent(&event) != 0)
                if (translate(event, out)) return true;
            if (!wait) return false;
#ifdef EDITOR_HAVE_X11
            if (x11_) {
                // Work the wait source did (the accessibility bus) may have posted messages,
                // and a stop request is taken by the message loop.
                if (x11::waitForEvents(x11_, kernel::stopWakeDescriptor())) return false;
                continue;
            }
#endif
            if (waitForSdlEvent(event) && translate(event, out)) return true;
            if (stopWakes()) return false;
        }
    }

    uint32_t now() const override { return SDL_GetTicks(); }

    Rect screen() const override {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(0, &bounds) != 0) return {0, 0, 1024, 768};
        return toProgramRect(bounds);
    }

    Rect workArea() const override {
        SDL_Rect bounds;
        if (SDL_GetDisplayUsableBounds(0, &bounds) != 0) return screen();
        return toProgramRect(bounds);
    }

    Scale scale() const override { return units_.drawn; }

    std::string clipboardText() override {
        char* text = SDL_GetClipboardText();
        std::string utf8 = text ? text : "";
        SDL_free(text);
#ifdef EDITOR_HAVE_X11
        if (utf8.empty()) utf8 = largeX11Clipboard();
#endif
        return codepage::utf8ToWindows1252(utf8);
    }

    void setClipboardText(const std::string& text) override {
        SDL_SetClipboardText(codepage::windows1252ToUtf8(text).c_str());
    }

    void setSelectionText(const std::string& text) override {
        SDL_SetPrimarySelectionText(codepage::windows1252ToUtf8(text).c_str());
    }

    void setCursor(Cursor cursor) override {
        SDL_Cursor* wanted = cursor == Cursor::IBeam ? iBeam_ : arrow_;
        if (wanted && wanted != SDL_GetCursor()) SDL_SetCursor(wanted);
    }

    void setHitTester(HitTester tester) override {
        hitTester_ = std::move(tester);
        // Without a window manager nobody answers SDL's move requests; the layer then
        // drags captions itself with the mouse events it gets instead.
        if (!windowManager_) return;
        for (auto& [id, surface] : surfaces_)
            SDL_SetWindowHitTest(surface.window, hitTester_ ? &SdlBackend::hitTest : nullptr, this);
    }

private:
    struct Surface {
        SDL_Window* window = nullptr;
        Rect rect;
        bool visible = false;
        bool presented = false;     // the canvas holds the layer's pixels
        unsigned long xwindow = 0;  // the X window, on X11
        bool direct = false;        // the pixels go to the X window as they are, without the canvas
        std::unique_ptr<sdl::WindowCanvas> canvas;
    };

    // Hands the desktop's keyboard focus to the window. Without a window manager nobody
    // else would: when a focused window goes, the X focus is left with nobody and typed
    // keys are lost. Another program's focus is taken only on a click.
    void giveFocus(Surface& surface, bool byUser) {
#ifdef EDITOR_HAVE_X11
        if (x11_ && surface.xwindow) {
            std::vector<x11::XWindow> ours = ourXWindows();
            x11::giveFocus(x11_, surface.xwindow, ours.data(), static_cast<int>(ours.size()), byUser);
            return;
        }
#endif
        if (byUser) SDL_RaiseWindow(surface.window);
    }

#ifdef EDITOR_HAVE_X11
    std::vector<x11::XWindow> ourXWindows() const {
        std::vector<x11::XWindow> ours;
        for (const auto& [id, other] : surfaces_) ours.push_back(other.xwindow);
        return ours;
    }
#endif

    // SDL's own wait cannot watch a descriptor; once stop signals are caught it wakes a few
    // times a second to look at theirs.
    static bool waitForSdlEvent(SDL_Event& event) {
        return kernel::stopWakeDescriptor() < 0 ? SDL_WaitEvent(&event) != 0 : SDL_WaitEventTimeout(&event, 200) != 0;
    }

    static bool stopWakes() {
        pollfd wake{kernel::stopWakeDescriptor(), POLLIN, 0};
        return wake.fd >= 0 && poll(&wake, 1, 0) > 0;
    }

#ifdef EDITOR_HAVE_X11
    // SDL reads a clipboard text only when its owner hands it over whole; a large one comes
    // in pieces, which the X11 side reads on behalf of one of our windows.
    std::string largeX11Clipboard() {
        for (const auto& [id, surface] : surfaces_)
            if (x11_ && surface.xwindow) return x11::readClipboard(x11_, surface.xwindow);
        return {};
    }
#endif

    // The layer's rects and input are in program pixels; SDL's windows in its own units.
    int toSdl(int programCoordinate) const { return units_.toSdl(programCoordinate); }
    int sdlLength(int length) const { return units_.sdlLength(length); }
    int program(int sdlCoordinate) const { return units_.toProgram(sdlCoordinate); }
    // A point of the screen (SDL units) as the program pixel a window shows there. A window's
    // pixels are laid out from its own origin, so the point is mapped from there: at 150 %
    // a window at an odd program position has its pixel edges half a program pixel off
    // the screen's own grid, and a press on a control's first device column would land on
    // its neighbour.
    int programAt(int sdlCoordinate, int windowOrigin) const {
        return windowOrigin + program(sdlCoordinate - toSdl(windowOrigin));
    }
    Rect toProgramRect(const SDL_Rect& r) const {
        return {program(r.x), program(r.y), program(r.x + r.w), program(r.y + r.h)};
    }

    // Device pixels per SDL unit in a window: its buffer's size over its logical size.
    static Scale bufferScaleOf(SDL_Window* window) {
        int logicalWidth = 0, pixelWidth = 0;
        SDL_GetWindowSize(window, &logicalWidth, nullptr);
        SDL_GetWindowSizeInPixels(window, &pixelWidth, nullptr);
        if (logicalWidth <= 0 || pixelWidth <= 0) return Scale{};
        return Scale{static_cast<int>(std::lround(double(Scale::kProgramDpi) * pixelWidth / logicalWidth))};
    }

    // SDL gives a new window the largest scale of all outputs until the compositor says
    // which one it is on; a window that is never shown asks the compositor nothing.
    static Scale bufferScaleBeforeAnyWindow() {
        SDL_Window* probe =
            SDL_CreateWindow("", 0, 0, 96, 96, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
        if (!probe) return Scale{};
        Scale found = bufferScaleOf(probe);
        SDL_DestroyWindow(probe);
        return found;
    }

    // The desktop's scale now, said once each time it is looked up (at start and when the
    // desktop announces a change).
    Scale findScale() {
        sdl::ScaleAnnouncements announced = sdl::announcementsFromEnvironment();
#ifdef EDITOR_HAVE_X11
        if (x11_)
            announced.resources = x11::rootResources(x11_);
        else if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0)
            announced.resources = x11::rootResourcesOfDefaultDisplay();
#endif
        if (wayland_) announced.waylandOutputScale = units_.buffer.factor();
        sdl::ChosenScale chosen = sdl::chooseScale(announced);
        sdl::reportScale(chosen);
        followsOutput_ = chosen.followsWaylandOutput;
        return chosen.scale;
    }

    // Every window takes its size and place at the new scale; the layer draws it again.
    bool rescale(Event& out) {
        Scale now = findScale();
        if (now == units_.drawn) return false;
        units_.drawn = now;
        placeWindows();
        for (auto& [id, surface] : surfaces_) surface.presented = false;
        out = Event{};
        out.type = EventType::ScaleChanged;
        return true;
    }

    // On Wayland a window that reaches an output of another scale gets a buffer of another
    // size for the same logical size; our own resizes keep the ratio. A scale the output
    // decided follows it. One the user fixed (EDITOR_SCALE) keeps every window's logical
    // size: sized by the buffer's scale, a window across two outputs would grow onto the
    // larger-scaled one, shrink, and leave it again; the canvas fits its pixels to the
    // buffer instead.
    bool followBufferScale(Surface& surface, Event& out) {
        if (!followsOutput_) {
            refresh(surface);
            return false;
        }
        Scale buffer = bufferScaleOf(surface.window);
        if (buffer == units_.buffer) return false;
        units_.buffer = buffer;
        if (rescale(out)) return true;
        // The same scale for the program (a desktop scale rounded to quarters): the same
        // pixels in as many logical units as the new buffer needs.
        placeWindows();
        for (auto& [id, other] : surfaces_) refresh(other);
        return false;
    }

    void placeWindows() {
        for (auto& [id, surface] : surfaces_) {
            SDL_SetWindowPosition(surface.window, toSdl(surface.rect.left), toSdl(surface.rect.top));
            SDL_SetWindowSize(surface.window, sdlLength(surface.rect.width()), sdlLength(surface.rect.height()));
        }
    }

    Surface* find(SurfaceId id) {
        auto it = surfaces_.find(id);
        return it == surfaces_.end() ? nullptr : &it->second;
    }

    SurfaceId idOf(uint32_t windowId) const {
        for (const auto& [id, surface] : surfaces_)
            if (SDL_GetWindowID(surface.window) == windowId) return id;
        return 0;
    }

    // Puts what the canvas holds on screen when the window can show it.
    void refresh(Surface& surface) {
        if (!surface.visible || !surface.presented) return;
        surface.canvas->show();
        traceFirstFrame();
    }

    // The time of the first frame on screen, for the start-up benchmark.
    void traceFirstFrame() {
        if (!traceFirstFrame_) return;
        traceFirstFrame_ = false;
#ifdef EDITOR_HAVE_X11
        if (x11_) x11::finishRequests(x11_);
#endif
        timespec at{}, processor{};
        clock_gettime(CLOCK_REALTIME, &at);
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &processor);
        std::fprintf(stderr, "first frame at %lld.%06ld after %.1f ms of processor time\n",
                     static_cast<long long>(at.tv_sec), at.tv_nsec / 1000,
                     static_cast<double>(processor.tv_sec) * 1000.0 + static_cast<double>(processor.tv_nsec) / 1e6);
    }

    static SDL_HitTestResult hitTest(SDL_Window* window, const SDL_Point* point, void* data) {
        auto* self = static_cast<SdlBackend*>(data);
        SurfaceId id = self->idOf(SDL_GetWindowID(window));
        const Surface* surface = self->find(id);
        if (!surface || !self->hitTester_) return SDL_HITTEST_NORMAL;
        int localX = self->program(point->x);
        int localY = self->program(point->y);
        if (self->hitTester_(id, localX, localY) == HitArea::Caption) return SDL_HITTEST_DRAGGABLE;
        return SDL_HITTEST_NORMAL;
    }

    static MouseButton buttonOf(uint8_t sdlButton) {
        switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return MouseButton::Left;
        case SDL_BUTTON_RIGHT:
            return MouseButton::Right;
        case SDL_BUTTON_MIDDLE:
            return MouseButton::Middle;
        default:
            return MouseButton::None;
        }
    }

    // Mouse positions come relative to a window; the layer wants them on the screen.
    bool mouseEvent(EventType type, uint32_t windowId, int localX, int localY, uint32_t time, Event& out) {
        out = Event{};
        out.type = type;
        out.surface = idOf(windowId);
        if (out.surface == 0) return false;
        const Surface& surface = *find(out.surface);
        if (pointerKnown_) {
            out.x = programAt(pointer_.x, surface.rect.left);
            out.y = programAt(pointer_.y, surface.rect.top);
            pointerKnown_ = false;
        } else {
            int windowX = 0, windowY = 0;
            SDL_GetWindowPosition(surface.window, &windowX, &windowY);
            out.x = programAt(windowX + localX, surface.rect.left);
            out.y = programAt(windowY + localY, surface.rect.top);
        }
        out.modifiers = sdl::modifiersFor(static_cast<uint16_t>(SDL_GetModState()));
        out.time = time;
        return true;
    }

    bool windowEvent(const SDL_WindowEvent& event, Event& out) {
        SurfaceId id = idOf(event.windowID);
        Surface* surface = find(id);
        if (!surface) return false;
        out = Event{};
        out.surface = id;
        out.time = event.timestamp;
        switch (event.event) {
        case SDL_WINDOWEVENT_EXPOSED:
            if (surface->direct) {
                out.type = EventType::Exposed;
                return true;
            }
            refresh(*surface);
            return false;
        case SDL_WINDOWEVENT_MOVED:
            // Our own moves come back as well; only a move the system made is news.
            out.x = program(event.data1);
            out.y = program(event.data2);
            if (out.x == surface->rect.left && out.y == surface->rect.top) return false;
            surface->rect = {out.x, out.y, out.x + surface->rect.width(), out.y + surface->rect.height()};
            out.type = EventType::Moved;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            return wayland_ && followBufferScale(*surface, out);
        case SDL_WINDOWEVENT_CLOSE:
            out.type = EventType::CloseRequest;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
#ifdef EDITOR_HAVE_X11
            // Focus changes arrive late: one for a window that no longer has the focus
            // would take the activation back from where the program has just put it.
            if (x11_ && surface->xwindow && !x11::hasFocus(x11_, surface->xwindow)) return false;
#endif
            out.type = EventType::FocusGained;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.type = EventType::FocusLost;
            return true;
        default:
            return false;
        }
    }

    bool keyEvent(const SDL_KeyboardEvent& event, Event& out) {
        uint32_t virtualKey =
            sdl::virtualKeyFor(event.keysym.sym, event.keysym.scancode, (event.keysym.mod & KMOD_NUM) != 0);
        if (virtualKey == 0) return false;
        out = Event{};
        out.type = event.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
        out.surface = idOf(event.windowID);
        out.virtualKey = virtualKey;
        out.repeat = event.repeat != 0;
        out.modifiers = sdl::modifiersFor(event.keysym.mod);
        out.time = event.timestamp;
        return true;
    }

    bool textEvent(const SDL_TextInputEvent& event, Event& out) {
        // Alt with a letter is a menu key on Windows and types nothing (AltGr still types).
        if (SDL_GetModState() & KMOD_LALT) return false;
        std::string text = codepage::utf8ToWindows1252(event.text);
        if (text.empty()) return false;
        out = Event{};
        out.type = EventType::Text;
        out.surface = idOf(event.windowID);
        out.text = std::move(text);
        out.time = event.timestamp;
        return true;
    }

    bool translate(const SDL_Event& event, Event& out) {
        switch (event.type) {
#ifdef EDITOR_HAVE_X11
        case SDL_SYSWMEVENT:
            // Comes just before SDL's own event for the same X event.
            if (event.syswm.msg && event.syswm.msg->subsystem == SDL_SYSWM_X11) {
                if (x11::rootResourcesChanged(&event.syswm.msg->msg.x11.event)) return rescale(out);
                pointerKnown_ = x11::pointerOnScreen(&event.syswm.msg->msg.x11.event, pointer_.x, pointer_.y);
            }
            return false;
#endif
        case SDL_WINDOWEVENT:
            return windowEvent(event.window, out);
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return keyEvent(event.key, out);
        case SDL_TEXTINPUT:
            return textEvent(event.text, out);
        case SDL_MOUSEMOTION:
            return mouseEvent(EventType::MouseMove, event.motion.windowID, event.motion.x, event.motion.y,
                              event.motion.timestamp, out);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            MouseButton button = buttonOf(event.button.button);
            if (button == MouseButton::None) return false;
            EventType type = event.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
            if (!mouseEvent(type, event.button.windowID, event.button.x, event.button.y, event.button.timestamp, out))
                return false;
            out.button = button;
            return true;
        }
        default:
            return false;
        }
    }

    std::map<SurfaceId, Surface> surfaces_;
    SurfaceId nextId_ = 1;
    HitTester hitTester_;
    SDL_Cursor* arrow_ = nullptr;
    SDL_Cursor* iBeam_ = nullptr;
    SDL_Surface* icon_ = nullptr;
    bool traceFirstFrame_ = false;
    const bool wayland_ = std::strcmp(SDL_GetCurrentVideoDriver(), "wayland") == 0;
    sdl::WindowUnits units_;      // the scale the program is drawn at, and SDL's units
    bool followsOutput_ = false;  // the program's scale is the Wayland output's
    SurfaceId focusWanted_ = 0;   // the surface the layer activated last
    bool focusWantedByUser_ = false;
    bool windowManager_ = true;  // until known otherwise: SDL's system moves
    SDL_Point pointer_{};        // screen position of the pointer event SDL reports next
    bool pointerKnown_ = false;
#ifdef EDITOR_HAVE_X11
    void* x11_ = nullptr;  // SDL's connection to the X server
#endif
};

// Drivers that show windows to a person. SDL would otherwise fall back to its offscreen
// driver when there is no display, and the editor would run where nobody sees it.
bool showsWindows(const char* driver) {
    for (const char* known : {"x11", "wayland", "cocoa", "windows", "haiku"})
        if (driver && std::strcmp(driver, known) == 0) return true;
    return false;
}

std::string visibleDrivers() {
    std::string list;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* name = SDL_GetVideoDriver(i);
        if (!showsWindows(name)) continue;
        // Wayland's library complains on its own when it has nowhere to look.
        if (std::strcmp(name, "wayland") == 0 && !std::getenv("WAYLAND_DISPLAY")) continue;
        if (!list.empty()) list += ",";
        list += name;
    }
    return list;
}

}  // namespace

std::unique_ptr<Backend> createSdlBackend(std::string& why) {
    // SDL's handlers would turn Ctrl+C into an event the program does not know; the layer
    // catches the stop signals itself (kernel/stop_signals.h).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A click into an inactive window is a click, as on Windows.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // An editor has no business keeping the screen saver away.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // The layer draws every pixel itself; the plain window framebuffer needs no GPU context
    // (Wayland has none: there the canvas draws through a renderer, display/sdl/window_canvas.h).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    std::string drivers = visibleDrivers();
    if (drivers.empty()) {
        why = "this SDL has no driver for a desktop";
        return nullptr;
    }
    // A driver the user names in SDL_VIDEODRIVER (wayland, where SDL would take XWayland
    // first) wins over this list: SDL prefers the variable to a hint of normal priority.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, drivers.c_str(), SDL_HINT_NORMAL);
    // A display server that is still starting refuses the connection for a moment.
    bool started = false;
    for (int attempt = 0; attempt < 4 && !started; ++attempt) {
        if (attempt > 0) SDL_Delay(250);
        started = SDL_Init(SDL_INIT_VIDEO) == 0;
    }
    if (!started) {
        const char* x = std::getenv("DISPLAY");
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        if ((!x || !*x) && (!wayland || !*wayland))
            why = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        else
            why = std::string("no display server answers at ") + (x && *x ? std::string("DISPLAY=") + x : "") +
                  (x && *x && wayland && *wayland ? " or " : "") +
                  (wayland && *wayland ? std::string("WAYLAND_DISPLAY=") + wayland : "");
        return nullptr;
    }
    if (!showsWindows(SDL_GetCurrentVideoDriver())) {
        why = std::string("SDL chose the driver \"") +
              (SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "") + "\", which shows no windows";
        SDL_Quit();
        return nullptr;
    }
#ifdef EDITOR_HAVE_X11
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) {
        x11::installErrorHandlers();
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    }
#endif
    if (SDL_GetNumVideoDisplays() < 1) {
        why = "no screen found";
        SDL_Quit();
        return nullptr;
    }
    return std::make_unique<SdlBackend>();
}

}  // namespace display
