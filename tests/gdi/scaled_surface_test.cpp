// Drawing into a surface of a high-resolution screen: the calls take program pixels and
// the surface holds device pixels.
#include "canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace testgdi {
namespace {

// A program-sized canvas whose pixels are at `dpi`.
struct ScaledCanvas {
    display::Pixels pixels;
    HDC dc = nullptr;
    ScaledCanvas(int width, int height, int dpi) {
        pixels.resizeScaled(width, height, display::Scale{dpi}, kWhite);
        dc = gdi::createSurfaceDC(pixels, POINT{0, 0}, RECT{0, 0, width, height});
    }
    ~ScaledCanvas() { DeleteDC(dc); }
    ScaledCanvas(const ScaledCanvas&) = delete;
    ScaledCanvas& operator=(const ScaledCanvas&) = delete;
};

HBRUSH brushOf(uint32_t rgb) { return CreateSolidBrush(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)); }

// One-pixel-wide columns side by side in two colours cover the device row with no gap
// and no pixel drawn twice: every device column is one of the two colours, each column
// as wide as its mapped edges say, and none missing.
TEST(ScaledSurface, OnePixelLinesTileTheDevice) {
    for (int dpi : {120, 144, 168, 192}) {
        ScaledCanvas canvas(40, 4, dpi);
        HBRUSH red = brushOf(0xFF0000), blue = brushOf(0x0000FF);
        for (int x = 0; x < 40; ++x) {
            RECT column{x, 0, x + 1, 4};
            FillRect(canvas.dc, &column, x % 2 ? blue : red);
        }
        display::Scale scale{dpi};
        for (int x = 0; x < 40; ++x)
            for (int d = scale.toDevice(x); d < scale.toDevice(x + 1); ++d)
                ASSERT_EQ(canvas.pixels.at(d, 0), x % 2 ? 0x0000FFu : 0xFF0000u) << "dpi " << dpi << " column " << x;
        EXPECT_EQ(canvas.pixels.width, scale.toDevice(40));
        DeleteObject(red);
        DeleteObject(blue);
    }
}

// Text on a 200 % surface is drawn at the device's resolution: an enlarged copy of the
// 100 % text would have every device row equal to the one below it and every column to
// its neighbour; the device's glyphs have rows of their own. Its ink fills about the
// box the same text covers at 100 %, twice as large.
TEST(ScaledSurface, TextIsDrawnAtTheDeviceResolution) {
    const char* text = "Translation of 6 if Mode set to 5";
    LOGFONTA logFont{};
    logFont.lfHeight = -11;
    std::strcpy(logFont.lfFaceName, "MS Sans Serif");
    HFONT font = CreateFontIndirectA(&logFont);
    Canvas plain(220, 20);
    ScaledCanvas scaled(220, 20, 192);
    for (HDC dc : {plain.dc, scaled.dc}) {
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 2, 2, text, static_cast<int>(std::strlen(text)));
    }
    RECT ink = plain.inkBounds(kWhite);
    ASSERT_FALSE(IsRectEmpty(&ink));
    int pairedRows = 0, rows = 0;
    RECT scaledInk{scaled.pixels.width, scaled.pixels.height, 0, 0};
    for (int y = 0; y + 1 < scaled.pixels.height; y += 2) {
        bool any = false, same = true;
        for (int x = 0; x < scaled.pixels.width; ++x) {
            any = any || scaled.pixels.at(x, y) != kWhite || scaled.pixels.at(x, y + 1) != kWhite;
            same = same && scaled.pixels.at(x, y) == scaled.pixels.at(x, y + 1);
        }
        rows += any;
        pairedRows += any && same;
    }
    for (int y = 0; y < scaled.pixels.height; ++y)
        for (int x = 0; x < scaled.pixels.width; ++x)
            if (scaled.pixels.at(x, y) != kWhite) {
                scaledInk.left = std::min<LONG>(scaledInk.left, x);
                scaledInk.right = std::max<LONG>(scaledInk.right, x + 1);
                scaledInk.top = std::min<LONG>(scaledInk.top, y);
                scaledInk.bottom = std::max<LONG>(scaledInk.bottom, y + 1);
            }
    EXPECT_GT(rows, 6);
    EXPECT_LT(pairedRows * 4, rows) << "most inked row pairs are copies of each other";
    EXPECT_NEAR(scaledInk.left, 2 * ink.left, 4);
    EXPECT_NEAR(scaledInk.right, 2 * ink.right, 8);
    EXPECT_NEAR(scaledInk.top, 2 * ink.top, 4);
    EXPECT_NEAR(scaledInk.bottom, 2 * ink.bottom, 4);
    DeleteObject(font);
}

// The check mark and the radio dot are shapes drawn at the device's resolution: at 150 %
// and 200 % their slanted and curved edges cross program pixels, whose device pixels then
// differ. Enlarged program pixels would each be one colour.
TEST(ScaledSurface, MarksAreDrawnAtTheDeviceResolution) {
    for (UINT kind : {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO}) {
        for (int dpi : {144, 192}) {
            SCOPED_TRACE(std::to_string(kind) + " at " + std::to_string(dpi));
            ScaledCanvas canvas(16, 16, dpi);
            RECT r{1, 1, 15, 15};
            DrawFrameControl(canvas.dc, &r, DFC_BUTTON, kind | DFCS_CHECKED);
            display::Scale scale{dpi};
            int split = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    std::vector<uint32_t> seen;
                    for (int dy = scale.toDevice(y); dy < scale.toDevice(y + 1); ++dy)
                        for (int dx = scale.toDevice(x); dx < scale.toDevice(x + 1); ++dx)
                            seen.push_back(canvas.pixels.at(dx, dy));
                    split += std::count(seen.begin(), seen.end(), seen.front()) != static_cast<long>(seen.size());
                }
            EXPECT_GT(split, 8);
        }
    }
}

// Copying a bitmap (scale one) onto a 150 % surface gives each program pixel of it the
// whole device area of its place.
TEST(ScaledSurface, ABitmapCopiedOntoTheSurfaceCoversItsDeviceArea) {
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(memory, 4, 1);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (int x = 0; x < 4; ++x) SetPixel(memory, x, 0, x % 2 ? RGB(0, 0, 255) : RGB(255, 0, 0));
    ScaledCanvas canvas(10, 2, 144);
    BitBlt(canvas.dc, 3, 0, 4, 1, memory, 0, 0, SRCCOPY);
    display::Scale scale{144};
    for (int d = 0; d < canvas.pixels.width; ++d) {
        int x = scale.toProgram(d);
        uint32_t expected = x < 3 || x >= 7 ? kWhite : ((x - 3) % 2 ? 0x0000FFu : 0xFF0000u);
        EXPECT_EQ(canvas.pixels.at(d, 0), expected) << "device column " << d;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace
}  // namespace testgdi
