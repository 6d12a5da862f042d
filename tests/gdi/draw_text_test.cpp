#include "canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

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

TEST_F(DrawText, CalcRectMeasuresTheWrappedLinesAndDrawsNothing) {
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
}

// Wrapping, centring each line, tabs, prefixes and no clipping: DrawTextA draws what
// TextOutA draws for each piece at its place.
TEST_F(DrawText, DrawsThePiecesWhereTextOutWould) {
    Canvas measure(1, 1);
    prepare(measure);
    const LONG wrap = extentOf(measure.dc, "make 1 = 0").cx + 2;
    constexpr int kCentred = -1000;  // centred in the rectangle
    struct Piece {
        const char* text;
        int x, y;
    };
    struct Case {
        const char* text;
        RECT box;
        UINT format;
        std::vector<Piece> pieces;
    };
    const Case cases[] = {
        {"make 1 = 0 if > 10", {0, 0, wrap, 100}, DT_WORDBREAK, {{"make 1 = 0", 0, 0}, {"if > 10", 0, 13}}},
        {"extract words", {0, 0, 45, 100}, DT_WORDBREAK | DT_CENTER,
         {{"extract", kCentred, 0}, {"words", kCentred, 13}}},
        {"ab\tc", {0, 0, 200, 30}, DT_EXPANDTABS | DT_SINGLELINE, {{"ab", 0, 0}, {"c", 40, 0}}},  // 8 characters
        {"&Cancel", {0, 0, 100, 30}, DT_SINGLELINE | DT_NOPREFIX, {{"&Cancel", 0, 0}}},
        {"a&&b", {0, 0, 100, 30}, DT_SINGLELINE, {{"a&b", 0, 0}}},
        {"Clipped away", {10, 10, 30, 20}, DT_SINGLELINE | DT_NOCLIP, {{"Clipped away", 10, 10}}},
    };
    for (const Case& c : cases) {
        Canvas canvas(200, 100), expected(200, 100);
        prepare(canvas);
        prepare(expected);
        RECT box = c.box;
        DrawTextA(canvas.dc, c.text, -1, &box, c.format);
        for (const Piece& piece : c.pieces) {
            int x = piece.x;
            if (x == kCentred) x = c.box.left + (c.box.right - c.box.left - extentOf(expected.dc, piece.text).cx) / 2;
            TextOutA(expected.dc, x, piece.y, piece.text, static_cast<int>(strlen(piece.text)));
        }
        EXPECT_EQ(canvas.pixels.data, expected.pixels.data) << c.text;
    }
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

TEST_F(DrawText, AmpersandUnderlinesTheNextCharacter) {
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
}

TEST_F(DrawText, ClipsToItsRectangle) {
    Canvas clipped(100, 40);
    prepare(clipped);
    RECT r{10, 10, 30, 20};
    DrawTextA(clipped.dc, "Clipped away", -1, &r, DT_SINGLELINE);
    EXPECT_TRUE(within(clipped.inkBounds(kWhite), r));
}
