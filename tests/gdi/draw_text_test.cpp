#include "canvas.h"

#include <gtest/gtest.h>

using namespace testgdi;

class DrawText : public ::testing::Test {
protected:
    void SetUp() override { font = dialogFont(); }
    void TearDown() override { DeleteObject(font); }
    void prepare(Canvas& canvas) {
        SelectObject(canvas.dc, font);
        SetBkMode(canvas.dc, TRANSPARENT);
    }
    // What TextOutA draws at a point, to compare DrawTextA's placement with.
    void expectSameAsTextOut(const Canvas& drawn, const std::string& text, int x, int y) {
        Canvas expected(drawn.pixels.width, drawn.pixels.height);
        prepare(expected);
        TextOutA(expected.dc, x, y, text.data(), static_cast<int>(text.size()));
        EXPECT_EQ(drawn.pixels.data, expected.pixels.data) << text << " at " << x << "," << y;
    }
    HFONT font = nullptr;
};

// Each alignment places the line where TextOutA would draw it. The rectangle's odd sizes
// check that the halves are rounded down; the answer is the height of the text, measured
// from the rectangle's top.
TEST_F(DrawText, AlignmentPlacesASingleLine) {
    const std::string text = "del .lnk's";
    const RECT r{7, 9, 128, 42};
    Canvas measure(1, 1);
    prepare(measure);
    const int width = extentOf(measure.dc, text).cx;
    struct Case {
        UINT format;
        int x, y;
    } cases[] = {
        {DT_LEFT, 7, 9},
        {DT_CENTER, 7 + (121 - width) / 2, 9},
        {DT_RIGHT, 128 - width, 9},
        {DT_CENTER | DT_VCENTER, 7 + (121 - width) / 2, 9 + (33 - 13) / 2},
        {DT_BOTTOM, 7, 42 - 13},
    };
    for (const Case& c : cases) {
        Canvas canvas(140, 60);
        prepare(canvas);
        RECT box = r;
        EXPECT_EQ(DrawTextA(canvas.dc, text.c_str(), -1, &box, c.format | DT_SINGLELINE), c.y + 13 - 9) << c.format;
        expectSameAsTextOut(canvas, text, c.x, c.y);
    }
}

TEST_F(DrawText, WordBreakWrapsBetweenWordsAndCalcRectMeasures) {
    Canvas canvas(200, 100);
    prepare(canvas);
    const char* text = "make 1 = 0 if > 10";
    int width = extentOf(canvas.dc, "make 1 = 0").cx;
    RECT measure{0, 0, width + 2, 0};
    int height = DrawTextA(canvas.dc, text, -1, &measure, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, 26);
    EXPECT_EQ(measure.bottom, 26);
    EXPECT_EQ(measure.right, width);  // the widest line, trailing blank left out
    EXPECT_EQ(canvas.count(kBlack), 0);  // measuring draws nothing

    RECT box{0, 0, width + 2, 100};
    DrawTextA(canvas.dc, text, -1, &box, DT_WORDBREAK);
    Canvas expected(200, 100);
    prepare(expected);
    TextOutA(expected.dc, 0, 0, "make 1 = 0", 10);
    TextOutA(expected.dc, 0, 13, "if > 10", 7);
    EXPECT_EQ(canvas.pixels.data, expected.pixels.data);
}

TEST_F(DrawText, CentredWrappedLinesAreEachCentred) {
    Canvas canvas(200, 100);
    prepare(canvas);
    RECT box{0, 0, 45, 100};
    const char* text = "extract words";
    DrawTextA(canvas.dc, text, -1, &box, DT_WORDBREAK | DT_CENTER);
    Canvas expected(200, 100);
    prepare(expected);
    int first = extentOf(expected.dc, "extract").cx;
    int second = extentOf(expected.dc, "words").cx;
    TextOutA(expected.dc, (45 - first) / 2, 0, "extract", 7);
    TextOutA(expected.dc, (45 - second) / 2, 13, "words", 5);
    EXPECT_EQ(canvas.pixels.data, expected.pixels.data);
}

TEST_F(DrawText, LineBreaksAndOverlongWords) {
    Canvas canvas(100, 100);
    prepare(canvas);
    RECT lines{0, 0, 100, 0};
    EXPECT_EQ(DrawTextA(canvas.dc, "one\r\ntwo\nthree", -1, &lines, DT_CALCRECT), 39);
    RECT single{0, 0, 100, 0};
    EXPECT_EQ(DrawTextA(canvas.dc, "one\r\ntwo", -1, &single, DT_CALCRECT | DT_SINGLELINE), 13);
    EXPECT_EQ(single.right, extentOf(canvas.dc, "onetwo").cx);

    // A word wider than the rectangle is cut where it no longer fits, never lost.
    RECT narrow{0, 0, 20, 0};
    int height = DrawTextA(canvas.dc, "TranslationFile", -1, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 3 * 13);
    EXPECT_LE(narrow.right, 20);
}

TEST_F(DrawText, AmpersandUnderlinesTheNextCharacterUnlessNoPrefix) {
    Canvas canvas(100, 30);
    prepare(canvas);
    RECT r{0, 0, 100, 30};
    DrawTextA(canvas.dc, "&Cancel", -1, &r, DT_SINGLELINE);
    Canvas expected(100, 30);
    prepare(expected);
    TextOutA(expected.dc, 0, 0, "Cancel", 6);
    int c = extentOf(expected.dc, "C").cx;
    // The underline is the only difference: one row under the baseline, as wide as the C.
    int differences = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            if (canvas.at(x, y) != expected.at(x, y)) {
                ++differences;
                EXPECT_EQ(y, 12);
                EXPECT_LT(x, c);
            }
    EXPECT_GT(differences, 0);

    Canvas literal(100, 30);
    prepare(literal);
    DrawTextA(literal.dc, "&Cancel", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    expectSameAsTextOut(literal, "&Cancel", 0, 0);

    Canvas doubled(100, 30);
    prepare(doubled);
    DrawTextA(doubled.dc, "a&&b", -1, &r, DT_SINGLELINE);
    expectSameAsTextOut(doubled, "a&b", 0, 0);
}

TEST_F(DrawText, ExpandedTabsStopAtEightAverageCharacters) {
    Canvas canvas(200, 30);
    prepare(canvas);
    RECT r{0, 0, 200, 30};
    DrawTextA(canvas.dc, "ab\tc", -1, &r, DT_EXPANDTABS | DT_SINGLELINE);
    Canvas expected(200, 30);
    prepare(expected);
    TextOutA(expected.dc, 0, 0, "ab", 2);
    TextOutA(expected.dc, 40, 0, "c", 1);
    EXPECT_EQ(canvas.pixels.data, expected.pixels.data);
}

TEST_F(DrawText, ClipsToItsRectangleUnlessNoClip) {
    Canvas clipped(100, 40);
    prepare(clipped);
    RECT r{10, 10, 30, 20};
    DrawTextA(clipped.dc, "Clipped away", -1, &r, DT_SINGLELINE);
    EXPECT_TRUE(within(clipped.inkBounds(kWhite), r));

    Canvas unclipped(100, 40);
    prepare(unclipped);
    DrawTextA(unclipped.dc, "Clipped away", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    expectSameAsTextOut(unclipped, "Clipped away", 10, 10);
}
