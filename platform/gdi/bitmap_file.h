// Reading uncompressed Windows BMP files (1, 4, 8, 24 and 32 bits a pixel).
#pragma once

#include "display/display.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gdi {

struct DecodedBitmap {
    display::Pixels pixels;
    int bitsPerPixel = 0;
};

// False for anything that is not a BMP this reader understands.
bool decodeBmp(const std::vector<uint8_t>& file, DecodedBitmap& out);

}  // namespace gdi
