// Colours as the program gives them (COLORREF, 0x00BBGGRR) and as surfaces hold them
// (0x00RRGGBB), and the blend that anti-aliased glyph edges need.
#pragma once

#include <windows.h>

#include <cstdint>

namespace gdi {

inline uint32_t toPixel(COLORREF colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

inline COLORREF toColorRef(uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
}

// Mixes `over` onto `under` by coverage 0..255, dividing by 255 with rounding (the
// x + x / 256 trick) on red and blue side by side, then green.
inline uint32_t blendPixel(uint32_t under, uint32_t over, uint32_t coverage) {
    uint32_t keep = 255 - coverage;
    uint32_t rb = (under & 0xFF00FF) * keep + (over & 0xFF00FF) * coverage + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    uint32_t g = (under & 0x00FF00) * keep + (over & 0x00FF00) * coverage + 0x008000;
    g = ((g + ((g >> 8) & 0x00FF00)) >> 8) & 0x00FF00;
    return rb | g;
}

}  // namespace gdi
