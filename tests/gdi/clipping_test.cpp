// Whatever is drawn, and wherever, nothing lands outside the clip or the surface.
#include "canvas.h"

#include <gtest/gtest.h>

#include <random>

using namespace testgdi;

namespace {

constexpr uint32_t kUntouched = 0x5A5A5A;

void drawEverything(HDC dc, std::mt19937& random) {
    std::uniform_int_distribution<int> coordinate(-60, 160);
    auto rect = [&] {
        int a = coordinate(random), b = coordinate(random), c = coordinate(random), d = coordinate(random);
        return RECT{std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d)};
    };
    RECT r = rect();
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    r = rect();
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    r = rect();
    InvertRect(dc, &r);
    r = rect();
    DrawFocusRect(dc, &r);
    r = rect();
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    r = rect();
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    r = rect();
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    r = rect();
    DrawFrameControl(dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    r = rect();
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    r = rect();
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SetPixel(dc, coordinate(random), coordinate(random), RGB(1, 2, 3));
    r = rect();
    ExtTextOutA(dc, coordinate(random), coordinate(random), ETO_OPAQUE, &r, "Opaque text", 11, nullptr);
    TextOutA(dc, coordinate(random), coordinate(random), "Words drawn anywhere", 20);
    r = rect();
    DrawTextA(dc, "Some wrapped words here", -1, &r, DT_WORDBREAK | DT_NOCLIP);
    r = rect();
    DrawTextA(dc, "&Centred", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>("Embossed"), 8, coordinate(random), coordinate(random), 0,
               0, DST_TEXT | DSS_DISABLED);
}

}  // namespace

TEST(Clipping, NothingIsDrawnOutsideTheClipOrTheSurface) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> coordinate(-30, 130);
    HFONT font = dialogFont();
    for (int round = 0; round < 300; ++round) {
        display::Pixels pixels;
        pixels.resize(100, 80, kUntouched);
        int a = coordinate(random), b = coordinate(random), c = coordinate(random), d = coordinate(random);
        RECT clip{std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d)};
        POINT origin{coordinate(random) / 3, coordinate(random) / 3};
        HDC dc = gdi::createSurfaceDC(pixels, origin, clip);
        SelectObject(dc, font);
        // The window manager narrows the clip further.
        RECT narrower{clip.left + 3, clip.top - 5, clip.right + 5, clip.bottom - 2};
        gdi::restrictSurfaceDC(dc, narrower);
        RECT allowed{std::max<LONG>(clip.left + 3, 0), std::max<LONG>(clip.top, 0), std::min<LONG>(clip.right, 100),
                     std::min<LONG>(clip.bottom - 2, 80)};
        drawEverything(dc, random);
        DeleteDC(dc);
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (x < allowed.left || x >= allowed.right || y < allowed.top || y >= allowed.bottom) {
                    ASSERT_EQ(pixels.at(x, y), kUntouched) << "round " << round << " at " << x << "," << y;
                }
            }
        }
    }
    DeleteObject(font);
}

TEST(Clipping, TheOriginMovesLogicalCoordinates) {
    display::Pixels pixels;
    pixels.resize(50, 50, kUntouched);
    HDC dc = gdi::createSurfaceDC(pixels, POINT{10, 20}, RECT{0, 0, 50, 50});
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(pixels.at(10, 20), 0xFF0000u);
    RECT wide{-10, -20, 40, 30};
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &wide, nullptr, 0, nullptr);  // the whole surface
    for (uint32_t p : pixels.data) EXPECT_EQ(p, 0xFFFFFFu);
    DeleteDC(dc);
}

TEST(Clipping, SurfaceSmallerThanTheClipIsStillRespected) {
    display::Pixels pixels;
    pixels.resize(20, 20, kUntouched);
    HDC dc = gdi::createSurfaceDC(pixels, POINT{0, 0}, RECT{0, 0, 500, 500});
    pixels.resize(10, 10, kUntouched);  // the window shrank while the DC was out
    RECT all{0, 0, 500, 500};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    TextOutA(dc, 5, 5, "Text", 4);
    EXPECT_EQ(pixels.data.size(), 100u);
    for (uint32_t p : pixels.data) EXPECT_NE(p, kUntouched);
    DeleteDC(dc);
}
