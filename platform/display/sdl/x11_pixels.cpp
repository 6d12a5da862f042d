#include "display/sdl/x11_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>

namespace display::x11 {

namespace {

Display* x(void* display) { return static_cast<Display*>(display); }

constexpr unsigned long kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

int nativeByteOrder() {
    const uint16_t one = 1;
    return *reinterpret_cast<const unsigned char*>(&one) == 1 ? LSBFirst : MSBFirst;
}

}  // namespace

bool takesPixelsAsTheyAre(void* display, XWindow window) {
    Display* d = x(display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, window, &attributes)) return false;
    // The default graphics context serves drawables of the default screen and depth only.
    if (attributes.screen != DefaultScreenOfDisplay(d) || attributes.depth != DefaultDepth(d, DefaultScreen(d)))
        return false;
    // SDL makes its windows DirectColor where the server offers that, with a colour map
    // that gives each value itself: as true colour, and its own buffer's pixels go through
    // the same map.
    const Visual* visual = attributes.visual;
    if ((visual->c_class != TrueColor && visual->c_class != DirectColor) || visual->red_mask != kRed ||
        visual->green_mask != kGreen || visual->blue_mask != kBlue)
        return false;
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(d, &count);
    bool thirtyTwoBits = false;
    for (int i = 0; i < count; ++i)
        if (formats[i].depth == attributes.depth) thirtyTwoBits = formats[i].bits_per_pixel == 32;
    if (formats) XFree(formats);
    return thirtyTwoBits;
}

void putPixels(void* display, XWindow window, const Pixels& pixels, const Rect& area) {
    Display* d = x(display);
    XImage image{};
    image.width = pixels.width;
    image.height = pixels.height;
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(const_cast<uint32_t*>(pixels.data.data()));
    image.byte_order = nativeByteOrder();  // Xlib swaps them for a server of the other order
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = DefaultDepth(d, DefaultScreen(d));
    image.bits_per_pixel = 32;
    image.bytes_per_line = pixels.width * 4;
    image.red_mask = kRed;
    image.green_mask = kGreen;
    image.blue_mask = kBlue;
    if (!XInitImage(&image)) return;
    XPutImage(d, window, DefaultGC(d, DefaultScreen(d)), &image, area.left, area.top, area.left, area.top,
              static_cast<unsigned>(area.width()), static_cast<unsigned>(area.height()));
    XFlush(d);
}

void finishRequests(void* display) { XSync(x(display), False); }

}  // namespace display::x11
