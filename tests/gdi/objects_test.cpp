#include "canvas.h"

#include <gtest/gtest.h>

using namespace testgdi;

TEST(Objects, SelectObjectReturnsWhatWasSelectedOfThatKind) {
    Canvas canvas(10, 10);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HFONT font = dialogFont();
    EXPECT_EQ(SelectObject(canvas.dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(canvas.dc, GetStockObject(WHITE_PEN)), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(canvas.dc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(canvas.dc, GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(SelectObject(canvas.dc, GetStockObject(BLACK_PEN)), GetStockObject(WHITE_PEN));
    EXPECT_EQ(SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT)), font);
    EXPECT_EQ(SelectObject(canvas.dc, nullptr), nullptr);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(font));
}

TEST(Objects, StockObjectsSurviveDeletion) {
    HGDIOBJ black = GetStockObject(BLACK_BRUSH);
    DeleteObject(black);
    Canvas canvas(4, 4);
    RECT r{0, 0, 4, 4};
    FillRect(canvas.dc, &r, static_cast<HBRUSH>(black));
    EXPECT_EQ(canvas.count(kBlack), 16);
    EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(Objects, AFontDeletedWhileSelectedKeepsDrawingUntilReplaced) {
    Canvas canvas(60, 20);
    HFONT font = dialogFont();
    SelectObject(canvas.dc, font);
    EXPECT_TRUE(DeleteObject(font));
    TEXTMETRICA tm{};
    GetTextMetricsA(canvas.dc, &tm);
    EXPECT_EQ(tm.tmHeight, 13);
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
    EXPECT_FALSE(DeleteObject(font));  // gone now
}

TEST(Objects, MemoryContextsDrawIntoTheirBitmap) {
    Canvas screen(20, 20);
    HDC memory = CreateCompatibleDC(screen.dc);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.dc, 8, 6);
    HGDIOBJ initial = SelectObject(memory, bitmap);
    ASSERT_NE(initial, nullptr);
    BITMAP info{};
    EXPECT_EQ(GetObjectA(initial, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 1);  // a new memory context holds a 1 x 1 bitmap
    EXPECT_EQ(info.bmHeight, 1);
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);  // one context at a time
    DeleteDC(other);
    RECT r{0, 0, 8, 6};
    FillRect(memory, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    SetPixel(memory, 7, 5, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(memory, 8, 5), CLR_INVALID);
    BitBlt(screen.dc, 2, 2, 8, 6, memory, 0, 0, SRCCOPY);
    EXPECT_EQ(screen.count(kShadow), 47);
    EXPECT_EQ(screen.at(9, 7), 0xFF0000u);
    SelectObject(memory, initial);
    DeleteDC(memory);
    EXPECT_TRUE(DeleteObject(bitmap));
}
