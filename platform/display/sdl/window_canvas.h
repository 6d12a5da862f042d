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

    // Takes the pixels for the window; false when the window cannot hold them.
    bool take(const Pixels& pixels);
    // Puts the pixels taken last on the screen.
    void show();

private:
    bool takeIntoWindowSurface(const Pixels& pixels);
    bool takeIntoTexture(const Pixels& pixels);

    SDL_Window* window_;
    bool throughRenderer_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
};

}  // namespace display::sdl
