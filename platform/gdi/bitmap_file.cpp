#include "gdi/bitmap_file.h"

#include "gdi/gdi_objects.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace gdi {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;  // the smallest header with the fields read here
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;  // 32-bit files often say this with the ordinary masks
constexpr int kLargestSide = 32768;

uint32_t read32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

uint16_t read16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

bool decodeBmp(const std::vector<uint8_t>& file, DecodedBitmap& out) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return false;
    uint32_t dataOffset = read32(file, 10);
    uint32_t headerSize = read32(file, kFileHeaderSize);
    if (headerSize < kInfoHeaderSize || kFileHeaderSize + headerSize > file.size()) return false;
    auto width = static_cast<int32_t>(read32(file, kFileHeaderSize + 4));
    auto height = static_cast<int32_t>(read32(file, kFileHeaderSize + 8));
    int bits = read16(file, kFileHeaderSize + 14);
    uint32_t compression = read32(file, kFileHeaderSize + 16);
    uint32_t coloursUsed = read32(file, kFileHeaderSize + 32);

    bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    if (compression != kUncompressed && !(compression == kBitFields && bits == 32)) return false;

    std::vector<uint32_t> palette;
    if (bits <= 8) {
        size_t entries = coloursUsed ? coloursUsed : (size_t{1} << bits);
        size_t paletteAt = kFileHeaderSize + headerSize;
        if (entries > 256 || paletteAt + entries * 4 > file.size()) return false;
        for (size_t i = 0; i < entries; ++i) {
            size_t at = paletteAt + i * 4;
            palette.push_back(uint32_t(file[at + 2]) << 16 | uint32_t(file[at + 1]) << 8 | file[at]);
        }
    }

    size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (dataOffset > file.size() || stride * static_cast<size_t>(height) > file.size() - dataOffset) return false;

    out.bitsPerPixel = bits;
    out.pixels.resize(width, height);
    for (int row = 0; row < height; ++row) {
        const uint8_t* line = file.data() + dataOffset + stride * static_cast<size_t>(row);
        int y = topDown ? row : height - 1 - row;
        uint32_t* target = out.pixels.data.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            uint32_t pixel;
            if (bits == 24 || bits == 32) {
                const uint8_t* p = line + static_cast<size_t>(x) * (bits / 8);
                pixel = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            } else {
                size_t bit = static_cast<size_t>(x) * bits;
                unsigned index = (line[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                pixel = index < palette.size() ? palette[index] : 0;
            }
            target[x] = pixel;
        }
    }
    return true;
}

}  // namespace gdi

HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    (void)hInst;
    (void)cx;
    (void)cy;
    // The program has no bitmap resources: only files load.
    if (type != IMAGE_BITMAP || !(fuLoad & LR_LOADFROMFILE) || !name || IS_INTRESOURCE(name)) return nullptr;
    std::ifstream stream(name, std::ios::binary);
    if (!stream) return nullptr;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    gdi::DecodedBitmap decoded;
    if (!gdi::decodeBmp(bytes, decoded)) return nullptr;
    auto bitmap = std::make_unique<gdi::Bitmap>();
    bitmap->pixels = std::move(decoded.pixels);
    bitmap->bitsPerPixel = decoded.bitsPerPixel;
    return gdi::addObject(std::move(bitmap));
}
