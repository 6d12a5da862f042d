#include "canvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

using namespace testgdi;

namespace {

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

// A BMP file of the given pixels (0x00RRGGBB, top row first). With 8 bits each pixel
// is its own palette entry; a negative height stores the rows top-down.
std::vector<uint8_t> bmpFile(int width, int height, int bits, const std::vector<uint32_t>& pixels, bool topDown = false) {
    int paletteEntries = bits == 8 ? static_cast<int>(pixels.size()) : 0;
    size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    uint32_t dataOffset = 14 + 40 + 4 * paletteEntries;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<uint32_t>(dataOffset + stride * height));
    put32(out, 0);
    put32(out, dataOffset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(topDown ? -height : height));
    put16(out, 1);
    put16(out, static_cast<uint16_t>(bits));
    put32(out, 0);
    put32(out, static_cast<uint32_t>(stride * height));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<uint32_t>(paletteEntries));
    put32(out, 0);
    for (int i = 0; i < paletteEntries; ++i) put32(out, pixels[static_cast<size_t>(i)]);  // B, G, R, 0
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            size_t index = static_cast<size_t>(y) * width + x;
            uint32_t p = pixels[index];
            if (bits == 8) {
                out.push_back(static_cast<uint8_t>(index));
            } else {
                out.push_back(static_cast<uint8_t>(p));
                out.push_back(static_cast<uint8_t>(p >> 8));
                out.push_back(static_cast<uint8_t>(p >> 16));
                if (bits == 32) out.push_back(0xFF);
            }
        }
        out.resize(start + stride, 0);
    }
    return out;
}

std::string writeTemporary(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
}

// Loads the file and reads its pixels back through a memory DC.
std::vector<uint32_t> loadedPixels(const std::string& path, int& width, int& height) {
    HANDLE image = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!image) return {};
    BITMAP info{};
    GetObjectA(image, sizeof info, &info);
    width = info.bmWidth;
    height = info.bmHeight;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, image);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = GetPixel(memory, x, y);
            pixels.push_back(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(image);
    return pixels;
}

const std::vector<uint32_t> kPicture = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};

}  // namespace

TEST(BitmapFiles, TrueColourAndPalettedFilesLoadPixelForPixel) {
    // Width 3 makes the 24-bit rows need padding; the rows are stored bottom-up, or
    // top-down under a negative height.
    for (auto [bits, topDown] : {std::pair{24, false}, {32, false}, {8, false}, {24, true}}) {
        std::string path = writeTemporary("picture.bmp", bmpFile(3, 2, bits, kPicture, topDown));
        int width = 0, height = 0;
        EXPECT_EQ(loadedPixels(path, width, height), kPicture) << bits << " bits, top-down " << topDown;
        EXPECT_EQ(width, 3);
        EXPECT_EQ(height, 2);
        std::remove(path.c_str());
    }
}

TEST(BitmapFiles, ResourcesMissingAndBrokenFilesLoadNothing) {
    EXPECT_EQ(LoadImageA(nullptr, MAKEINTRESOURCEA(101), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, "Picture", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, "/nonexistent/x.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);

    std::vector<uint8_t> truncated = bmpFile(3, 2, 24, kPicture);
    truncated.erase(truncated.end() - 5, truncated.end());  // the last pixels cut off
    std::string path = writeTemporary("truncated.bmp", truncated);
    EXPECT_EQ(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    std::vector<uint8_t> notBmp(100, 'x');
    std::string other = writeTemporary("other.bmp", notBmp);
    EXPECT_EQ(LoadImageA(nullptr, other.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    std::remove(path.c_str());
    std::remove(other.c_str());
}
