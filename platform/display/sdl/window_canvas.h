// Puts the layer's device pixels into an SDL window, one for one.
//
// On X11 SDL's window surface is the window's own pixel buffer. SDL 2.26 on Wayland has
// none: with GPU framebuffers turned off (as the backend asks) it gives no window surface
// at all, and with them on its surface has the window's logical size and is stretched
// onto the buffer, blurred at 200 %. There a renderer copies a device-sized texture onto
// the window's buffer, whose size SDL makes the logical size times the output's scale.
#pragma once

#include "display/display.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace display::sdl {

class WindowCanvas {
public:
    WindowCanvas(SDL_Window* window, bool throughRenderer) : window_(window), throughRenderer_(throughRenderer) {}
    ~WindowCanvas();
    WindowCanvas(const WindowCanvas&) = delete;
    WindowCanvas& operator=(const WindowCanvas&) = delete;

    // Takes `area` of the pixels for the window (the rest it holds from before, or takes
    // all of them when it has to make its store anew); false when the window cannot hold them.
    bool take(const Pixels& pixels, const Rect& area);
    // Puts what it holds on the screen: all, or where `area` changed.
    void show();
    void show(const Rect& area);

private:
    bool takeIntoWindowSurface(const Pixels& pixels, const Rect& area);
    bool takeIntoTexture(const Pixels& pixels, const Rect& area);

    SDL_Window* window_;
    bool throughRenderer_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
};

}  // namespace display::sdl
