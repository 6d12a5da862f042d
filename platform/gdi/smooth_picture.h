// Small pictures described by where their colours lie rather than by pixels (the message
// box's signs), drawn at the device's resolution so that a high-resolution screen shows
// their edges sharp instead of enlarged program pixels.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace gdi {

// The picture's colour at a point given in program pixels from its top-left corner, or
// nothing where the picture lets what is beneath show.
using PictureColourAt = std::function<std::optional<COLORREF>(double x, double y)>;

// Each device pixel of `area` (logical coordinates) takes the mean colour of 4 x 4 samples
// spread evenly over it, blended onto what is there by the share of samples the picture
// covers. At scale one a device pixel is a program pixel.
void drawSmoothPicture(HDC dc, const RECT& area, const PictureColourAt& colourAt);

}  // namespace gdi
