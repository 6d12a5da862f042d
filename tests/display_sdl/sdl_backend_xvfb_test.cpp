// The SDL display on a real X server (Xvfb): windows where the layer puts them, its pixels
// on the screen, and input from the X server in the layer's terms. Driven with xdotool
// and read back with ImageMagick, as the X server sees it.
#include "display/sdl/sdl_backend.h"

#include <windows.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace display {
namespace {

std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
        pclose(pipe);
    }
    while (!output.empty() && output.back() == '\n') output.pop_back();
    return output;
}

// The colour of one screen pixel as 0xRRGGBB.
uint32_t screenPixel(int x, int y) {
    std::string hex = run("import -window root -crop 1x1+" + std::to_string(x) + "+" + std::to_string(y) +
                          " -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\\{6\\}' | head -1");
    return hex.size() == 7 ? static_cast<uint32_t>(std::stoul(hex.substr(1), nullptr, 16)) : 0xDEADBEEF;
}

class SdlOnXvfb : public testing::Test {
protected:
    // One backend for all: SDL's video subsystem is started once in a process.
    static void SetUpTestSuite() {
        std::string why;
        backend_ = createSdlBackend(why).release();
        if (!backend_) std::fprintf(stderr, "no SDL display: %s\n", why.c_str());
    }

    void SetUp() override {
        ASSERT_NE(backend_, nullptr);
        surface_ = backend_->createSurface({100, 50, 400, 250}, "Backend test caf\xE9");
        ASSERT_NE(surface_, 0u);
        Pixels pixels;
        pixels.resize(300, 200, 0xFF0000);
        for (int y = 0; y < 200; ++y)
            for (int x = 150; x < 300; ++x) pixels.data[static_cast<size_t>(y) * 300 + x] = 0x0000FF;
        backend_->present(surface_, pixels);  // before it is shown, as the layer does
        backend_->showSurface(surface_, true);
        window_ = run("timeout 10 xdotool search --sync --onlyvisible --name '^Backend test caf' | head -1");
        ASSERT_FALSE(window_.empty());
        pump(300, nullptr);
    }

    void TearDown() override {
        if (surface_ != 0) backend_->destroySurface(surface_);
        pump(200, nullptr);
    }

    // Events until `until` says stop or `milliseconds` pass.
    std::vector<Event> pump(uint32_t milliseconds, const std::function<bool(const Event&)>& until) {
        std::vector<Event> events;
        uint32_t deadline = SDL_GetTicks() + milliseconds;
        while (SDL_GetTicks() < deadline) {
            Event event;
            if (!backend_->nextEvent(event, false)) {
                SDL_Delay(5);
                continue;
            }
            events.push_back(event);
            if (until && until(event)) break;
        }
        return events;
    }

    void focus() { run("xdotool windowfocus --sync " + window_); }

    static inline Backend* backend_ = nullptr;
    SurfaceId surface_ = 0;
    std::string window_;
};

TEST_F(SdlOnXvfb, TheSurfaceIsABorderlessWindowShowingThePixelsWhereTheLayerPutIt) {
    EXPECT_EQ(run("xdotool getwindowgeometry " + window_ + " | grep -o 'Position: [0-9,]*\\|Geometry: [0-9x]*' | "
                  "tr '\\n' ' '"),
              "Position: 100,50 Geometry: 300x200 ");
    EXPECT_EQ(screenPixel(110, 60), 0xFF0000u);
    EXPECT_EQ(screenPixel(390, 240), 0x0000FFu);
    EXPECT_EQ(screenPixel(99, 60), 0x000000u);  // the desktop beside it

    backend_->moveSurface(surface_, {200, 80, 400, 200});
    Pixels smaller;
    smaller.resize(200, 120, 0x00FF00);
    backend_->present(surface_, smaller);
    std::vector<Event> events = pump(300, nullptr);
    for (const Event& event : events) EXPECT_NE(event.type, EventType::Moved) << "our own move came back as news";
    EXPECT_EQ(screenPixel(210, 90), 0x00FF00u);
    EXPECT_EQ(screenPixel(150, 60), 0x000000u);

    Rect screen = backend_->screen();
    EXPECT_EQ(screen.width(), 1024);
    EXPECT_EQ(screen.height(), 768);
}

TEST_F(SdlOnXvfb, AMoveBySomeoneElseIsReported) {
    run("xdotool windowmove --sync " + window_ + " 300 120");
    std::vector<Event> events = pump(2000, [](const Event& e) { return e.type == EventType::Moved; });
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().type, EventType::Moved);
    EXPECT_EQ(events.back().surface, surface_);
    EXPECT_EQ(events.back().x, 300);
    EXPECT_EQ(events.back().y, 120);
}

TEST_F(SdlOnXvfb, MouseInputComesInScreenCoordinatesWithTheBackendsClock) {
    uint32_t before = backend_->now();
    run("xdotool mousemove 150 100 click 1");
    std::vector<Event> events = pump(2000, [](const Event& e) { return e.type == EventType::MouseUp; });
    ASSERT_GE(events.size(), 2u);
    const Event& up = events.back();
    const Event& down = events[events.size() - 2];
    EXPECT_EQ(down.type, EventType::MouseDown);
    EXPECT_EQ(down.button, MouseButton::Left);
    EXPECT_EQ(down.surface, surface_);
    EXPECT_EQ(down.x, 150);
    EXPECT_EQ(down.y, 100);
    EXPECT_EQ(up.type, EventType::MouseUp);
    EXPECT_EQ(up.x, 150);
    EXPECT_GE(down.time, before);
    EXPECT_LE(down.time, up.time);
    EXPECT_LE(up.time, backend_->now());

    run("xdotool mousemove 160 110");
    events = pump(2000, [](const Event& e) { return e.type == EventType::MouseMove; });
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().x, 160);
    EXPECT_EQ(events.back().y, 110);
}

TEST_F(SdlOnXvfb, TypedTextArrivesOnceInWindows1252AndKeysAsVirtualKeys) {
    focus();
    // Characters the keyboard map lacks are typed on stand-in keys that xdotool maps for
    // a moment: the client must read them while xdotool types, so it runs beside us.
    run("(xdotool type --delay 80 'a\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD' && xdotool key shift+Home) >/dev/null 2>&1 &");
    std::vector<Event> events = pump(3000, [](const Event& e) { return e.type == EventType::KeyDown && e.virtualKey == VK_HOME; });
    std::string text;
    bool sawA = false, sawShift = false;
    for (const Event& event : events) {
        if (event.type == EventType::Text) text += event.text;
        if (event.type == EventType::KeyDown && event.virtualKey == 'A') sawA = true;
        if (event.type == EventType::KeyDown && event.virtualKey == VK_SHIFT) sawShift = true;
    }
    EXPECT_EQ(text, "a\xE9\x80");  // the CJK sign has no byte and is left out; nothing doubled
    EXPECT_TRUE(sawA);
    EXPECT_TRUE(sawShift);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().virtualKey, uint32_t(VK_HOME));
    EXPECT_EQ(events.back().modifiers, uint32_t(ModShift));
    EXPECT_EQ(events.back().surface, surface_);
}

TEST_F(SdlOnXvfb, TheClipboardHoldsWindows1252TextAsUtf8) {
    backend_->setClipboardText("caf\xE9 \x80");
    char* raw = SDL_GetClipboardText();
    EXPECT_STREQ(raw, "caf\xC3\xA9 \xE2\x82\xAC");
    SDL_free(raw);
    SDL_SetClipboardText("na\xC3\xAFve \xE4\xB8\xAD");
    EXPECT_EQ(backend_->clipboardText(), "na\xEFve ");
}

}  // namespace
}  // namespace display
