#include "display/sdl/window_canvas.h"

#include <SDL.h>

#include <cstdio>

namespace display::sdl {

namespace {
SDL_Rect sdlRect(const Rect& r) { return SDL_Rect{r.left, r.top, r.width(), r.height()}; }
}  // namespace

WindowCanvas::~WindowCanvas() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
}

bool WindowCanvas::take(const Pixels& pixels, const Rect& area) {
    return throughRenderer_ ? takeIntoTexture(pixels, area) : takeIntoWindowSurface(pixels, area);
}

void WindowCanvas::show(const Rect& area) {
    if (throughRenderer_) {
        show();  // a renderer presents its whole buffer
        return;
    }
    SDL_Rect changed = sdlRect(area);
    SDL_UpdateWindowSurfaceRects(window_, &changed, 1);
}

void WindowCanvas::show() {
    if (!throughRenderer_) {
        SDL_UpdateWindowSurface(window_);
        return;
    }
    if (!renderer_ || !texture_) return;
    // A buffer a little larger than the pixels (the program drawn at another scale than
    // the output's) keeps its spare device column or row black rather than stretching.
    // A smaller one (a window made for an output of a larger scale, now on another one)
    // takes the pixels shrunk to fit, as the compositor would shrink them.
    int bufferWidth = 0, bufferHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &bufferWidth, &bufferHeight);
    bool fits = bufferWidth >= textureWidth_ && bufferHeight >= textureHeight_;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_Rect place{0, 0, textureWidth_, textureHeight_};
    SDL_RenderCopy(renderer_, texture_, nullptr, fits ? &place : nullptr);
    SDL_RenderPresent(renderer_);
}

bool WindowCanvas::takeIntoWindowSurface(const Pixels& pixels, const Rect& area) {
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return false;
    SDL_Surface* source =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels.data.data()), pixels.width, pixels.height, 32,
                                           pixels.width * static_cast<int>(sizeof(uint32_t)), SDL_PIXELFORMAT_RGB888);
    if (!source) return false;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_Rect changed = sdlRect(area);
    SDL_BlitSurface(source, &changed, target, &changed);
    SDL_FreeSurface(source);
    return true;
}

bool WindowCanvas::takeIntoTexture(const Pixels& pixels, const Rect& area) {
    if (!renderer_) {
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) {
            std::fprintf(stderr, "display: cannot draw into a window: %s\n", SDL_GetError());
            return false;
        }
    }
    if (!texture_ || textureWidth_ != pixels.width || textureHeight_ != pixels.height) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, pixels.width,
                                     pixels.height);
        textureWidth_ = texture_ ? pixels.width : 0;
        textureHeight_ = texture_ ? pixels.height : 0;
        if (!texture_) return false;
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);  // used only when shrunk to fit
        return SDL_UpdateTexture(texture_, nullptr, pixels.data.data(),
                                 pixels.width * static_cast<int>(sizeof(uint32_t))) == 0;
    }
    if (area.empty()) return true;
    SDL_Rect changed = sdlRect(area);
    const uint32_t* first = pixels.data.data() + static_cast<size_t>(area.top) * static_cast<size_t>(pixels.width) +
                            static_cast<size_t>(area.left);
    return SDL_UpdateTexture(texture_, &changed, first, pixels.width * static_cast<int>(sizeof(uint32_t))) == 0;
}

}  // namespace display::sdl
