#include "display/headless/headless.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace display {

namespace {

constexpr uint32_t pauseBetweenSteps = 1000;  // ms, more than any double-click time

// Virtual-key codes of the modifier keys, for the key presses a chord is made of.
constexpr uint32_t kVirtualShift = 0x10;
constexpr uint32_t kVirtualControl = 0x11;
constexpr uint32_t kVirtualAlt = 0x12;

// The classic teal desktop behind every window.
constexpr uint32_t kDesktopColour = 0x008080;

uint32_t modifierOfKey(uint32_t virtualKey) {
    switch (virtualKey) {
    case kVirtualShift:
        return ModShift;
    case kVirtualControl:
        return ModControl;
    case kVirtualAlt:
        return ModAlt;
    default:
        return 0;
    }
}

}  // namespace

HeadlessBackend::HeadlessBackend(Rect screen, Rect workArea, Scale scale)
    : screen_(screen), workArea_(workArea), scale_(scale) {}

SurfaceId HeadlessBackend::createSurface(const Rect& screenRect, const std::string& title) {
    SurfaceId id = nextId_++;
    SurfaceState& state = surfaces_[id];
    state.rect = screenRect;
    state.title = title;
    order_.push_back(id);
    return id;
}

void HeadlessBackend::moveSurface(SurfaceId id, const Rect& screenRect) {
    auto it = surfaces_.find(id);
    if (it != surfaces_.end()) it->second.rect = screenRect;
}

void HeadlessBackend::showSurface(SurfaceId id, bool visible) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    it->second.visible = visible;
    // A desktop forgets the focus of a window that goes off screen.
    if (!visible && keyboardFocus_ == id) keyboardFocus_ = 0;
}

void HeadlessBackend::raiseSurface(SurfaceId id) {
    auto it = std::find(order_.begin(), order_.end(), id);
    if (it == order_.end()) return;
    order_.erase(it);
    order_.push_back(id);
}

void HeadlessBackend::focusSurface(SurfaceId id, bool) {
    auto it = surfaces_.find(id);
    if (it != surfaces_.end() && it->second.visible) keyboardFocus_ = id;
}

void HeadlessBackend::setSurfaceOwner(SurfaceId id, SurfaceId owner) {
    auto it = surfaces_.find(id);
    if (it != surfaces_.end()) it->second.owner = owner;
}

void HeadlessBackend::destroySurface(SurfaceId id) {
    if (keyboardFocus_ == id) keyboardFocus_ = 0;
    surfaces_.erase(id);
    order_.erase(std::remove(order_.begin(), order_.end(), id), order_.end());
}

void HeadlessBackend::setTitle(SurfaceId id, const std::string& title) {
    auto it = surfaces_.find(id);
    if (it != surfaces_.end()) it->second.title = title;
}

// Takes only the changed area, as a screen does: a drawing that forgot to say what it
// changed leaves the old pixels in every test's screenshot.
void HeadlessBackend::present(SurfaceId id, const Pixels& pixels) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    Pixels& shown = it->second.pixels;
    if (shown.width != pixels.width || shown.height != pixels.height || shown.scale != pixels.scale) {
        shown = pixels;
        return;
    }
    const Rect& r = pixels.changed;
    for (int y = r.top; y < r.bottom; ++y) {
        size_t row = static_cast<size_t>(y) * static_cast<size_t>(pixels.width);
        std::copy(pixels.data.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(r.left)),
                  pixels.data.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(r.right)),
                  shown.data.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(r.left)));
    }
}

bool HeadlessBackend::nextEvent(Event& out, bool wait) {
    if (events_.empty() && wait) {
        if (steps_.empty()) {
            std::fprintf(stderr,
                         "headless display: the program waits for input but the test has no step left "
                         "(add a step that ends the program, or inject the input it waits for)\n");
            std::fflush(stderr);
            std::abort();
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        // A person takes a moment between one action and the next, so clicks made in
        // two steps never read as a double click.
        clock_ += pauseBetweenSteps;
        step();
    }
    if (events_.empty()) return false;
    out = std::move(events_.front());
    events_.pop_front();
    return true;
}

uint32_t HeadlessBackend::now() const { return clock_; }
Rect HeadlessBackend::screen() const { return screen_; }
Rect HeadlessBackend::workArea() const { return workArea_; }
std::string HeadlessBackend::clipboardText() { return clipboard_; }
void HeadlessBackend::setClipboardText(const std::string& text) { clipboard_ = text; }
void HeadlessBackend::setCursor(Cursor cursor) { cursor_ = cursor; }
void HeadlessBackend::setHitTester(HitTester) {}  // nothing here moves windows by itself

void HeadlessBackend::addStep(Step step) { steps_.push_back(std::move(step)); }
size_t HeadlessBackend::stepsLeft() const { return steps_.size(); }

void HeadlessBackend::push(Event event) {
    event.time = clock_;
    if (event.surface == 0 &&
        (event.type == EventType::MouseMove || event.type == EventType::MouseDown || event.type == EventType::MouseUp))
        event.surface = surfaceAt(event.x, event.y);
    events_.push_back(std::move(event));
}

SurfaceId HeadlessBackend::surfaceAt(int x, int y) const {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        const SurfaceState& state = surfaces_.at(*it);
        if (state.visible && x >= state.rect.left && x < state.rect.right && y >= state.rect.top &&
            y < state.rect.bottom)
            return *it;
    }
    return 0;
}

// A mouse event is where the pointer now is, with the keys held at that moment.
void HeadlessBackend::pointerEvent(EventType type, int x, int y, MouseButton button) {
    mouseX_ = x;
    mouseY_ = y;
    Event event;
    event.type = type;
    // From the origin of the window shown there, whose pixels are laid out from it, as the
    // SDL display maps a point.
    event.x = screen_.left + scale_.toProgram(x);
    event.y = screen_.top + scale_.toProgram(y);
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        const SurfaceState& state = surfaces_.at(*it);
        Rect shown = onScreen(state);
        if (!state.visible || x < shown.left || y < shown.top || x >= shown.right || y >= shown.bottom) continue;
        event.surface = *it;
        event.x = screen_.left + scale_.toProgramIn(x, state.rect.left - screen_.left);
        event.y = screen_.top + scale_.toProgramIn(y, state.rect.top - screen_.top);
        break;
    }
    event.button = button;
    event.modifiers = modifiers_;
    push(event);
}

void HeadlessBackend::mouseMove(int x, int y) { pointerEvent(EventType::MouseMove, x, y, MouseButton::None); }
void HeadlessBackend::mouseDown(int x, int y, MouseButton button) { pointerEvent(EventType::MouseDown, x, y, button); }
void HeadlessBackend::mouseUp(int x, int y, MouseButton button) { pointerEvent(EventType::MouseUp, x, y, button); }

void HeadlessBackend::click(int x, int y, MouseButton button) {
    mouseMove(x, y);
    mouseDown(x, y, button);
    mouseUp(x, y, button);
}

// A key event carries the modifiers held once the key itself has gone down or up.
void HeadlessBackend::keyEvent(EventType type, uint32_t virtualKey, uint32_t modifiers) {
    Event event;
    event.type = type;
    event.virtualKey = virtualKey;
    event.modifiers = modifiers_ | modifiers;
    push(event);
}

void HeadlessBackend::keyDown(uint32_t virtualKey, uint32_t modifiers) {
    modifiers_ |= modifierOfKey(virtualKey);
    keyEvent(EventType::KeyDown, virtualKey, modifiers);
}

void HeadlessBackend::keyUp(uint32_t virtualKey, uint32_t modifiers) {
    modifiers_ &= ~modifierOfKey(virtualKey);
    keyEvent(EventType::KeyUp, virtualKey, modifiers);
}

void HeadlessBackend::key(uint32_t virtualKey, uint32_t modifiers) {
    // A chord is pressed as a person presses it: the modifiers not yet held go down
    // first and come up last, so both the key states and the event bits agree.
    static constexpr struct {
        uint32_t bit;
        uint32_t virtualKey;
    } kChordKeys[] = {{ModControl, kVirtualControl}, {ModShift, kVirtualShift}, {ModAlt, kVirtualAlt}};
    uint32_t pressed = 0;
    for (const auto& chordKey : kChordKeys) {
        if ((modifiers & chordKey.bit) && !(modifiers_ & chordKey.bit) && virtualKey != chordKey.virtualKey) {
            keyDown(chordKey.virtualKey);
            pressed |= chordKey.bit;
        }
    }
    keyDown(virtualKey, modifiers);
    keyUp(virtualKey, modifiers);
    for (auto it = std::rbegin(kChordKeys); it != std::rend(kChordKeys); ++it)
        if (pressed & it->bit) keyUp(it->virtualKey);
}

void HeadlessBackend::type(const std::string& windows1252) {
    for (char c : windows1252) {
        Event event;
        event.type = EventType::Text;
        event.text = std::string(1, c);
        event.modifiers = modifiers_;
        push(event);
    }
}

void HeadlessBackend::requestClose(SurfaceId id) {
    Event event;
    event.type = EventType::CloseRequest;
    event.surface = id;
    push(event);
}

void HeadlessBackend::advanceClock(uint32_t milliseconds) { clock_ += milliseconds; }

void HeadlessBackend::loseContents(SurfaceId id) {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    std::fill(it->second.pixels.data.begin(), it->second.pixels.data.end(), 0u);
    Event event;
    event.type = EventType::Exposed;
    event.surface = id;
    push(event);
}

void HeadlessBackend::changeScale(Scale scale) {
    scale_ = scale;
    Event event;
    event.type = EventType::ScaleChanged;
    push(event);
}

Rect HeadlessBackend::onScreen(const SurfaceState& state) const {
    int left = scale_.toDevice(state.rect.left - screen_.left);
    int top = scale_.toDevice(state.rect.top - screen_.top);
    return Rect{left, top, left + scale_.deviceLength(state.rect.width()),
                top + scale_.deviceLength(state.rect.height())};
}

std::vector<SurfaceId> HeadlessBackend::surfaceOrder() const { return order_; }

const HeadlessBackend::SurfaceState* HeadlessBackend::surface(SurfaceId id) const {
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? nullptr : &it->second;
}

Pixels HeadlessBackend::screenshot() const {
    Pixels shot;
    shot.resizeScaled(screen_.width(), screen_.height(), scale_, kDesktopColour);
    for (SurfaceId id : order_) {
        const SurfaceState& state = surfaces_.at(id);
        if (!state.visible) continue;
        const Pixels& source = state.pixels;
        const Rect shown = onScreen(state);
        for (int sy = 0; sy < source.height; ++sy) {
            int y = shown.top + sy;
            if (y < 0 || y >= shot.height) continue;
            for (int sx = 0; sx < source.width; ++sx) {
                int x = shown.left + sx;
                if (x < 0 || x >= shot.width) continue;
                shot.data[static_cast<size_t>(y) * shot.width + x] = source.at(sx, sy);
            }
        }
    }
    return shot;
}

HeadlessBackend& installHeadless(Rect screen, Rect workArea, Scale scale) {
    auto backend = std::make_unique<HeadlessBackend>(screen, workArea, scale);
    HeadlessBackend& installed = *backend;
    setBackend(std::move(backend));
    return installed;
}

}  // namespace display
