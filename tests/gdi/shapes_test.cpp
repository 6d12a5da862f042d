#include "canvas.h"

#include <gtest/gtest.h>

using namespace testgdi;

TEST(Shapes, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    constexpr uint32_t kBlue = 0x0000FF, kNone = 0x5A5A5A;  // the canvas
    struct Case {
        const char* what;
        uint32_t pen, brush;  // kNone: the null pen or brush
        int outline, inside;  // pixels of each colour
        RECT ink;
    };
    const Case cases[] = {
        // 20 x 10: an outline of 2 * 20 + 2 * 8 pixels; a null brush keeps what was inside.
        {"null brush", kWhite, kNone, 56, 0, {5, 5, 25, 15}},
        {"pen and brush", kBlack, kBlue, 56, 18 * 8, {5, 5, 25, 15}},
        {"null pen", kNone, kBlue, 0, 19 * 9, {5, 5, 24, 14}},  // one pixel smaller, no outline
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Canvas canvas(40, 40, kNone);
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
        SelectObject(canvas.dc, GetStockObject(c.pen == kNone ? NULL_PEN : c.pen == kWhite ? WHITE_PEN : BLACK_PEN));
        SelectObject(canvas.dc, c.brush == kNone ? GetStockObject(NULL_BRUSH) : brush);
        Rectangle(canvas.dc, 5, 5, 25, 15);
        EXPECT_EQ(edges(canvas.inkBounds(kNone)), edges(c.ink));
        if (c.pen != kNone) {
            EXPECT_EQ(canvas.count(c.pen), c.outline);
        }
        if (c.brush != kNone) {
            EXPECT_EQ(canvas.count(c.brush), c.inside);
        }
        EXPECT_EQ(canvas.count(kNone), 1600 - c.outline - c.inside);
        SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
        SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(brush);
    }
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

TEST(Shapes, Pixels) {
    Canvas canvas(20, 20);
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
