#include "canvas.h"

#include <gtest/gtest.h>

using namespace testgdi;

TEST(Shapes, RectangleWithNullBrushDrawsOnlyTheOutline) {
    Canvas canvas(40, 40);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(canvas.dc, pen);
    HGDIOBJ oldBrush = SelectObject(canvas.dc, GetStockObject(NULL_BRUSH));
    RECT all{0, 0, 40, 40};
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Rectangle(canvas.dc, 5, 5, 25, 15);
    // 20 x 10 outline: 2 * 20 + 2 * 8 pixels; the inside keeps what was there.
    EXPECT_EQ(canvas.count(0xFF0000), 56);
    EXPECT_EQ(canvas.at(5, 5), 0xFF0000u);
    EXPECT_EQ(canvas.at(24, 14), 0xFF0000u);
    EXPECT_EQ(canvas.at(25, 15), kBlack);
    EXPECT_EQ(canvas.at(10, 10), kBlack);
    SelectObject(canvas.dc, oldPen);
    SelectObject(canvas.dc, oldBrush);
    DeleteObject(pen);
}

TEST(Shapes, RectangleFillsWithTheBrushAndNullPenLeavesOutTheOutline) {
    Canvas canvas(40, 40);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(canvas.dc, brush);
    Rectangle(canvas.dc, 5, 5, 25, 15);
    EXPECT_EQ(canvas.count(kBlack), 56);  // default black pen
    EXPECT_EQ(canvas.count(0x0000FF), 18 * 8);

    Canvas penless(40, 40);
    SelectObject(penless.dc, brush);
    SelectObject(penless.dc, GetStockObject(NULL_PEN));
    Rectangle(penless.dc, 5, 5, 25, 15);
    EXPECT_EQ(edges(penless.inkBounds(kWhite)), edges({5, 5, 24, 14}));
    EXPECT_EQ(penless.count(0x0000FF), 19 * 9);
    DeleteObject(brush);  // still selected: it goes when the contexts let go of it
}

TEST(Shapes, LinesLeaveOutTheirEndPointAndDottedPensSkipEveryOtherPixel) {
    Canvas canvas(30, 30);
    MoveToEx(canvas.dc, 2, 3, nullptr);
    LineTo(canvas.dc, 12, 3);
    EXPECT_EQ(canvas.count(kBlack), 10);
    EXPECT_EQ(canvas.at(12, 3), kWhite);
    LineTo(canvas.dc, 12, 13);  // continues from where the last line ended
    EXPECT_EQ(canvas.at(12, 3), kBlack);
    EXPECT_EQ(canvas.count(kBlack), 20);

    Canvas dotted(30, 30);
    HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    SelectObject(dotted.dc, pen);
    SetBkMode(dotted.dc, TRANSPARENT);
    MoveToEx(dotted.dc, 0, 0, nullptr);
    LineTo(dotted.dc, 20, 0);
    EXPECT_EQ(dotted.count(kBlack), 10);
    EXPECT_EQ(dotted.at(0, 0), kBlack);
    EXPECT_EQ(dotted.at(1, 0), kWhite);
    SelectObject(dotted.dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(Shapes, FillFrameAndInvert) {
    Canvas canvas(30, 30);
    RECT r{4, 4, 14, 10};
    FillRect(canvas.dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));  // a system colour index + 1
    EXPECT_EQ(canvas.count(kFace), 60);
    FrameRect(canvas.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.count(kBlack), 2 * 10 + 2 * 4);
    EXPECT_EQ(canvas.count(kFace), 8 * 4);
    InvertRect(canvas.dc, &r);
    EXPECT_EQ(canvas.count(kWhite), 900 - 60 + 28);
    EXPECT_EQ(canvas.count(0x3F3F3F), 32);
}

TEST(Shapes, FocusRectangleIsDottedAndDrawingItTwiceRemovesIt) {
    Canvas canvas(30, 30, kFace);
    RECT r{3, 3, 20, 12};
    DrawFocusRect(canvas.dc, &r);
    int changed = 900 - canvas.count(kFace);
    int outline = 2 * 17 + 2 * 7;
    EXPECT_GE(changed, outline / 2 - 1);
    EXPECT_LE(changed, outline / 2 + 1);
    EXPECT_EQ(canvas.at(10, 7), kFace);  // inside untouched
    DrawFocusRect(canvas.dc, &r);
    EXPECT_EQ(canvas.count(kFace), 900);
}

TEST(Shapes, PatBltAndPixels) {
    Canvas canvas(20, 20);
    SelectObject(canvas.dc, GetStockObject(GRAY_BRUSH));
    PatBlt(canvas.dc, 2, 2, 5, 4, PATCOPY);
    EXPECT_EQ(canvas.count(kShadow), 20);
    PatBlt(canvas.dc, 2, 2, 5, 4, DSTINVERT);
    EXPECT_EQ(canvas.count(0x7F7F7F), 20);
    PatBlt(canvas.dc, 2, 2, 5, 4, PATINVERT);  // 0x7F ^ 0x80
    EXPECT_EQ(canvas.count(kWhite), 400);

    EXPECT_EQ(SetPixel(canvas.dc, 3, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(canvas.at(3, 4), 0x010203u);  // surfaces hold 0x00RRGGBB
    EXPECT_EQ(GetPixel(canvas.dc, 3, 4), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc, 25, 4), CLR_INVALID);
}

TEST(Shapes, BitBltCopiesBetweenContexts) {
    Canvas source(10, 10, kBlack);
    SetPixel(source.dc, 2, 3, RGB(255, 0, 0));
    Canvas target(20, 20);
    EXPECT_TRUE(BitBlt(target.dc, 5, 6, 4, 4, source.dc, 1, 2, SRCCOPY));
    EXPECT_EQ(target.at(6, 7), 0xFF0000u);
    EXPECT_EQ(target.count(kBlack), 15);
    EXPECT_EQ(target.at(4, 6), kWhite);
}

TEST(Shapes, RectangleArithmetic) {
    RECT a{0, 0, 10, 10};
    RECT b{5, 5, 15, 20};
    RECT r;
    EXPECT_TRUE(IntersectRect(&r, &a, &b));
    EXPECT_EQ(edges(r), edges({5, 5, 10, 10}));
    RECT far{20, 20, 30, 30};
    EXPECT_FALSE(IntersectRect(&r, &a, &far));
    EXPECT_TRUE(IsRectEmpty(&r));
    EXPECT_TRUE(UnionRect(&r, &a, &b));
    EXPECT_EQ(edges(r), edges({0, 0, 15, 20}));
    RECT empty{3, 3, 3, 9};
    EXPECT_TRUE(UnionRect(&r, &empty, &a));  // an empty rectangle adds nothing
    EXPECT_TRUE(EqualRect(&r, &a));
    InflateRect(&r, -2, 1);
    OffsetRect(&r, 1, 1);
    EXPECT_EQ(edges(r), edges({3, 0, 9, 12}));
    EXPECT_TRUE(PtInRect(&a, POINT{0, 0}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));  // right and bottom edges are outside
}

TEST(Shapes, SystemColourBrushesAreSharedAndSurviveDeletion) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_EQ(face, GetSysColorBrush(COLOR_BTNFACE));
    DeleteObject(face);  // ignored: the system owns it
    Canvas canvas(5, 5);
    RECT r{0, 0, 5, 5};
    FillRect(canvas.dc, &r, face);
    EXPECT_EQ(canvas.count(kFace), 25);
}
