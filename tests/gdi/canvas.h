// A surface with a device context on it, and ways to look at what was drawn.
#pragma once

#include "display/display.h"
#include "gdi/surface_dc.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace testgdi {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kFace = 0xC0C0C0;
constexpr uint32_t kShadow = 0x808080;

struct Canvas {
    display::Pixels pixels;
    HDC dc = nullptr;

    Canvas(int width, int height, uint32_t fill = kWhite) {
        pixels.resize(width, height, fill);
        dc = gdi::createSurfaceDC(pixels, POINT{0, 0}, RECT{0, 0, width, height});
    }
    ~Canvas() { DeleteDC(dc); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    uint32_t at(int x, int y) const { return pixels.at(x, y); }

    // The smallest rectangle holding every pixel that is not `background` (empty when none).
    RECT inkBounds(uint32_t background) const {
        RECT r{pixels.width, pixels.height, 0, 0};
        for (int y = 0; y < pixels.height; ++y)
            for (int x = 0; x < pixels.width; ++x)
                if (at(x, y) != background) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        if (r.right == 0) return RECT{0, 0, 0, 0};
        return r;
    }

    int count(uint32_t colour) const {
        int n = 0;
        for (uint32_t p : pixels.data) n += p == colour;
        return n;
    }
};

// A rectangle's left, top, right and bottom, to compare in one expectation.
inline std::array<LONG, 4> edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Whether `inner` lies within `outer` (an empty `inner` does not).
inline bool within(const RECT& inner, const RECT& outer) {
    return inner.left < inner.right && inner.top < inner.bottom && inner.left >= outer.left && inner.top >= outer.top &&
           inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// The classic dialog font, as a dialog template asks for it.
inline HFONT dialogFont() {
    return CreateFontA(8, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
}

inline SIZE extentOf(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace testgdi
