// Text as TextOutA, ExtTextOutA, DrawStateA and DrawTextA draw it, and the fonts it is measured in.
#include "canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace testgdi;

class Text : public ::testing::Test {
protected:
    void SetUp() override { font = dialogFont(); }
    void TearDown() override { DeleteObject(font); }
    void prepare(Canvas& canvas) {
        SelectObject(canvas.dc, font);
        SetBkMode(canvas.dc, TRANSPARENT);
    }
    HFONT font = nullptr;
};

TEST_F(Text, PiecesPlacedByTheirExtentsDrawTheSameAsTheWhole) {
    const std::string first = "Add words ";
    const std::string second = "To translation File";
    Canvas whole(300, 20);
    Canvas pieces(300, 20);
    prepare(whole);
    prepare(pieces);
    std::string both = first + second;
    TextOutA(whole.dc, 3, 2, both.data(), static_cast<int>(both.size()));
    TextOutA(pieces.dc, 3, 2, first.data(), static_cast<int>(first.size()));
    int x = 3 + extentOf(pieces.dc, first).cx;
    TextOutA(pieces.dc, x, 2, second.data(), static_cast<int>(second.size()));
    EXPECT_EQ(whole.pixels.data, pieces.pixels.data);
    EXPECT_EQ(extentOf(whole.dc, both).cx, extentOf(whole.dc, first).cx + extentOf(whole.dc, second).cx);
}

TEST_F(Text, OpaqueModeFillsTheCellAndTransparentModeDoesNot) {
    Canvas canvas(100, 30);
    SelectObject(canvas.dc, font);
    SetBkColor(canvas.dc, RGB(255, 0, 0));
    SetTextColor(canvas.dc, RGB(0, 0, 255));
    TextOutA(canvas.dc, 4, 6, "Find", 4);
    SIZE size = extentOf(canvas.dc, "Find");
    EXPECT_EQ(edges(canvas.inkBounds(kWhite)), edges({4, 6, 4 + size.cx, 6 + 13}));
    EXPECT_EQ(canvas.count(0xFF0000) + canvas.count(0x0000FF), size.cx * 13);

    Canvas clear(100, 30);
    prepare(clear);
    SetBkColor(clear.dc, RGB(255, 0, 0));
    TextOutA(clear.dc, 4, 6, "Find", 4);
    EXPECT_EQ(clear.count(0xFF0000), 0);
}

// ExtTextOutA with ETO_CLIPPED and DrawTextA without DT_NOCLIP keep the text inside the
// rectangle; ETO_OPAQUE with no text fills exactly the rectangle.
TEST_F(Text, ClippedAndOpaqueRectanglesAreKept) {
    const RECT r{12, 4, 30, 14};
    Canvas extText(120, 30), drawText(120, 30), opaque(120, 30);
    prepare(extText);
    prepare(drawText);
    ExtTextOutA(extText.dc, 5, 2, ETO_CLIPPED, &r, "Clipped words", 13, nullptr);
    EXPECT_TRUE(within(extText.inkBounds(kWhite), r));
    RECT box = r;
    DrawTextA(drawText.dc, "Clipped away", -1, &box, DT_SINGLELINE);
    EXPECT_TRUE(within(drawText.inkBounds(kWhite), r));

    SetBkColor(opaque.dc, RGB(0, 128, 0));
    EXPECT_TRUE(ExtTextOutA(opaque.dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
    EXPECT_EQ(opaque.count(0x008000), 18 * 10);
    EXPECT_EQ(edges(opaque.inkBounds(kWhite)), edges(r));
}

TEST_F(Text, HighCharactersAreTheWindows1252Ones) {
    Canvas euro(40, 20);
    Canvas missing(40, 20);
    prepare(euro);
    prepare(missing);
    TextOutA(euro.dc, 2, 2, "\x80", 1);     // the euro sign
    TextOutA(missing.dc, 2, 2, "\x81", 1);  // unassigned: a control character, nothing drawn
    EXPECT_GT(euro.count(kBlack), 5);
    EXPECT_EQ(missing.count(kBlack), 0);
    EXPECT_GT(extentOf(euro.dc, "\xE9\x93\x94").cx, 6);
}

TEST_F(Text, CalcRectMeasuresTheWrappedLinesAndDrawsNothing) {
    Canvas canvas(200, 100);
    prepare(canvas);
    const char* text = "make 1 = 0 if > 10";
    int width = extentOf(canvas.dc, "make 1 = 0").cx;
    RECT measure{0, 0, width + 2, 0};
    int height = DrawTextA(canvas.dc, text, -1, &measure, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, 26);
    EXPECT_EQ(measure.bottom, 26);
    EXPECT_EQ(measure.right, width);     // the widest line, trailing blank left out
    EXPECT_EQ(canvas.count(kBlack), 0);  // measuring draws nothing
}

// Alignments, wrapping, centring each line, tabs, prefixes and no clipping: DrawTextA
// draws what TextOutA draws for each piece at its place, and answers the height of the
// text measured from the rectangle's top. The odd sizes of the alignment rectangle check
// that halves are rounded down.
TEST_F(Text, DrawsThePiecesWhereTextOutWould) {
    Canvas measure(1, 1);
    prepare(measure);
    const LONG wrap = extentOf(measure.dc, "make 1 = 0").cx + 2;
    const char* line = "del .lnk's";
    const int width = extentOf(measure.dc, line).cx;
    const RECT box{7, 9, 128, 42};
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
        {line, box, DT_LEFT | DT_SINGLELINE, {{line, 7, 9}}},
        {line, box, DT_CENTER | DT_SINGLELINE, {{line, kCentred, 9}}},
        {line, box, DT_RIGHT | DT_SINGLELINE, {{line, 128 - width, 9}}},
        {line, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE, {{line, kCentred, 9 + (33 - 13) / 2}}},
        {line, box, DT_BOTTOM | DT_SINGLELINE, {{line, 7, 42 - 13}}},
        {"make 1 = 0 if > 10", {0, 0, wrap, 100}, DT_WORDBREAK, {{"make 1 = 0", 0, 0}, {"if > 10", 0, 13}}},
        {"extract words",
         {0, 0, 45, 100},
         DT_WORDBREAK | DT_CENTER,
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
        RECT drawn = c.box;
        EXPECT_EQ(DrawTextA(canvas.dc, c.text, -1, &drawn, c.format), c.pieces.back().y + 13 - c.box.top) << c.text;
        for (const Piece& piece : c.pieces) {
            int x = piece.x;
            if (x == kCentred) x = c.box.left + (c.box.right - c.box.left - extentOf(expected.dc, piece.text).cx) / 2;
            TextOutA(expected.dc, x, piece.y, piece.text, static_cast<int>(strlen(piece.text)));
        }
        EXPECT_EQ(canvas.pixels.data, expected.pixels.data) << c.text;
    }
}

TEST_F(Text, LineBreaksAndOverlongWords) {
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

TEST_F(Text, AmpersandUnderlinesTheNextCharacter) {
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

namespace {

TEXTMETRICA metricsOf(HFONT font) {
    Canvas canvas(4, 4);
    SelectObject(canvas.dc, font);
    TEXTMETRICA tm{};
    EXPECT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    return tm;
}

}  // namespace

TEST(FontMetrics, DialogFontHasTheClassicCell) {
    // Height 8 as a program gives it, -11 as a template's 8 points become, and the stock
    // font that stands for it in menus.
    struct Case {
        int height;
        const char* face;
    };
    for (const Case& c : {Case{8, "MS Sans Serif"}, Case{-11, "MS Sans Serif"}, Case{0, nullptr}}) {
        SCOPED_TRACE(testing::Message() << c.height << " " << (c.face ? c.face : "DEFAULT_GUI_FONT"));
        HFONT font = c.face ? CreateFontA(c.height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, c.face)
                            : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA tm = metricsOf(font);
        EXPECT_EQ(tm.tmHeight, 13);
        EXPECT_EQ(tm.tmAscent, 11);
        EXPECT_EQ(tm.tmDescent, 2);
        EXPECT_EQ(tm.tmInternalLeading, 2);
        EXPECT_EQ(tm.tmAveCharWidth, 5);
        EXPECT_EQ(tm.tmMaxCharWidth, 11);
        DeleteObject(font);  // a stock font ignores it
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

TEST(FontMetrics, TheSystemFontNewContextsAndGetObjectDescribeTheFont) {
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
