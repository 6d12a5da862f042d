#include "canvas.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testgdi;

namespace {

TEXTMETRICA metricsOf(HFONT font) {
    Canvas canvas(4, 4);
    SelectObject(canvas.dc, font);
    TEXTMETRICA tm{};
    EXPECT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    return tm;
}

}  // namespace

TEST(FontMetrics, DialogFontHasTheClassicCellAndWidthsAtEverySmallSize) {
    // Height 8 as a template gives it, and the same face asked for by character height.
    for (int height : {8, 13, -11, -8}) {
        HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
        TEXTMETRICA tm = metricsOf(font);
        EXPECT_EQ(tm.tmHeight, 13) << height;
        EXPECT_EQ(tm.tmAscent, 11) << height;
        EXPECT_EQ(tm.tmDescent, 2) << height;
        EXPECT_EQ(tm.tmInternalLeading, 2) << height;
        EXPECT_EQ(tm.tmAveCharWidth, 5) << height;
        EXPECT_EQ(tm.tmMaxCharWidth, 11) << height;
        DeleteObject(font);
    }
}

// Widths measured on Win32 with its bitmap "MS Sans Serif" 8: a label is as wide as
// there, and bold text (struck twice) is one pixel wider per character.
TEST(FontMetrics, DialogFontIsTheBitmapFaceWithWin32Widths) {
    Canvas canvas(4, 4);
    HFONT normal = dialogFont();
    HFONT bold = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    SelectObject(canvas.dc, normal);
    EXPECT_EQ(extentOf(canvas.dc, "1. Translation Mode, 0 to 4=normal, 5=translate to 7").cx, 243);
    EXPECT_EQ(extentOf(canvas.dc, "Add words").cx, 50);
    SelectObject(canvas.dc, bold);
    EXPECT_EQ(extentOf(canvas.dc, "Add words").cx, 59);
    EXPECT_EQ(metricsOf(bold).tmAveCharWidth, 6);
    EXPECT_EQ(metricsOf(bold).tmHeight, 13);
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(normal);
    DeleteObject(bold);
}

TEST(FontMetrics, FaceNameIsMatchedWithoutCaseAndLargerSizesScale) {
    HFONT lower = CreateFontA(8, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "ms sans serif");
    EXPECT_EQ(metricsOf(lower).tmHeight, 13);
    EXPECT_EQ(metricsOf(lower).tmAveCharWidth, 5);

    HFONT big = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    TEXTMETRICA tm = metricsOf(big);
    EXPECT_GT(tm.tmHeight, 24);  // the em plus the accents' room
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 24);
    EXPECT_GT(tm.tmAveCharWidth, 5);

    // A positive height is the cell itself.
    HFONT cell = CreateFontA(30, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_NEAR(metricsOf(cell).tmHeight, 30, 1);
    DeleteObject(lower);
    DeleteObject(big);
    DeleteObject(cell);
}

TEST(FontMetrics, BoldWeightDrawsHeavierText) {
    HFONT normal = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HFONT bold = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(metricsOf(bold).tmWeight, FW_BOLD);
    Canvas thin(200, 30);
    Canvas heavy(200, 30);
    SelectObject(thin.dc, normal);
    SelectObject(heavy.dc, bold);
    TextOutA(thin.dc, 0, 0, "Weight", 6);
    TextOutA(heavy.dc, 0, 0, "Weight", 6);
    // Sum of darkness over the ink.
    auto ink = [](const Canvas& c) {
        long total = 0;
        for (uint32_t p : c.pixels.data) total += 255 - static_cast<long>(p & 0xFF);
        return total;
    };
    EXPECT_GT(ink(heavy), ink(thin) * 6 / 5);
    DeleteObject(normal);
    DeleteObject(bold);
}

TEST(FontMetrics, StockFontsNewContextsAndGetObjectDescribeTheFont) {
    EXPECT_EQ(metricsOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))).tmHeight, 13);
    TEXTMETRICA system = metricsOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    EXPECT_EQ(system.tmWeight, FW_BOLD);
    EXPECT_NEAR(system.tmHeight, 16, 1);
    // A new memory context starts with the system font, as a window's does.
    HDC memory = CreateCompatibleDC(nullptr);
    TEXTMETRICA tm{};
    GetTextMetricsA(memory, &tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    DeleteDC(memory);

    HFONT font = dialogFont();
    LOGFONTA logFont{};
    EXPECT_EQ(GetObjectA(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_EQ(logFont.lfHeight, 8);
    EXPECT_STREQ(logFont.lfFaceName, "MS Sans Serif");
    DeleteObject(font);
}
