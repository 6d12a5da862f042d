#include "canvas.h"

#include <gtest/gtest.h>

using namespace testgdi;

class TextOutput : public ::testing::Test {
protected:
    void SetUp() override { font = dialogFont(); }
    void TearDown() override { DeleteObject(font); }
    void prepare(Canvas& canvas) {
        SelectObject(canvas.dc, font);
        SetBkMode(canvas.dc, TRANSPARENT);
    }
    HFONT font = nullptr;
};

TEST_F(TextOutput, InkStaysInsideTheMeasuredCellWithTheBaselineAtEleven) {
    Canvas canvas(200, 40);
    prepare(canvas);
    const std::string text = "Hello Cancel";
    SIZE size = extentOf(canvas.dc, text);
    EXPECT_EQ(size.cy, 13);
    EXPECT_GT(size.cx, 40);
    TextOutA(canvas.dc, 10, 5, text.data(), static_cast<int>(text.size()));
    RECT ink = canvas.inkBounds(kWhite);
    EXPECT_TRUE(within(ink, {10, 5, 10 + size.cx, 5 + 13}));
    // No descenders in the text: the lowest ink row sits on the baseline (row 11 of the
    // cell), the capitals about 8 pixels tall.
    EXPECT_EQ(ink.bottom, 5 + 11);
    EXPECT_NEAR(ink.bottom - ink.top, 8, 1);
    // Only the text colour: the classic font has no grey edges.
    EXPECT_EQ(canvas.count(kBlack) + canvas.count(kWhite), 200 * 40);
}

TEST_F(TextOutput, PiecesPlacedByTheirExtentsDrawTheSameAsTheWhole) {
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

TEST_F(TextOutput, OpaqueModeFillsTheCellAndTransparentModeDoesNot) {
    Canvas canvas(100, 30);
    SelectObject(canvas.dc, font);
    SetBkColor(canvas.dc, RGB(255, 0, 0));
    SetTextColor(canvas.dc, RGB(0, 0, 255));
    EXPECT_EQ(GetBkMode(canvas.dc), OPAQUE);
    TextOutA(canvas.dc, 4, 6, "Find", 4);
    SIZE size = extentOf(canvas.dc, "Find");
    EXPECT_EQ(edges(canvas.inkBounds(kWhite)), edges({4, 6, 4 + size.cx, 6 + 13}));
    EXPECT_EQ(canvas.count(0xFF0000) + canvas.count(0x0000FF), size.cx * 13);

    Canvas clear(100, 30);
    SelectObject(clear.dc, font);
    SetBkMode(clear.dc, TRANSPARENT);
    SetBkColor(clear.dc, RGB(255, 0, 0));
    TextOutA(clear.dc, 4, 6, "Find", 4);
    EXPECT_EQ(clear.count(0xFF0000), 0);
}

TEST_F(TextOutput, ExtTextOutOpaqueFillsExactlyItsRectangle) {
    Canvas canvas(80, 50);
    SetBkColor(canvas.dc, RGB(0, 128, 0));
    RECT r{10, 7, 45, 31};
    EXPECT_TRUE(ExtTextOutA(canvas.dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
    EXPECT_EQ(canvas.count(0x008000), 35 * 24);
    EXPECT_EQ(edges(canvas.inkBounds(kWhite)), edges(r));
}

TEST_F(TextOutput, ExtTextOutClippedKeepsTextInsideTheRectangle) {
    Canvas canvas(120, 30);
    prepare(canvas);
    RECT r{12, 4, 30, 14};
    ExtTextOutA(canvas.dc, 5, 2, ETO_CLIPPED, &r, "Clipped words", 13, nullptr);
    EXPECT_TRUE(within(canvas.inkBounds(kWhite), r));
}

TEST_F(TextOutput, HighCharactersAreTheWindows1252Ones) {
    Canvas euro(40, 20);
    Canvas missing(40, 20);
    prepare(euro);
    prepare(missing);
    TextOutA(euro.dc, 2, 2, "\x80", 1);        // the euro sign
    TextOutA(missing.dc, 2, 2, "\x81", 1);     // unassigned: a control character, nothing drawn
    EXPECT_GT(euro.count(kBlack), 5);
    EXPECT_EQ(missing.count(kBlack), 0);
    EXPECT_GT(extentOf(euro.dc, "\xE9\x93\x94").cx, 6);
}

TEST_F(TextOutput, DisabledStateIsEmbossedAndNormalStateIsPlain) {
    const std::string text = "Disabled";
    Canvas embossed(100, 30, kFace);
    prepare(embossed);
    DrawStateA(embossed.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()),
               static_cast<WPARAM>(text.size()), 5, 5, 0, 0, DST_TEXT | DSS_DISABLED);
    // The same picture made by hand: white one pixel down-right, grey on top.
    Canvas expected(100, 30, kFace);
    prepare(expected);
    SetTextColor(expected.dc, RGB(255, 255, 255));
    TextOutA(expected.dc, 6, 6, text.data(), static_cast<int>(text.size()));
    SetTextColor(expected.dc, RGB(128, 128, 128));
    TextOutA(expected.dc, 5, 5, text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(embossed.pixels.data, expected.pixels.data);
    EXPECT_GT(embossed.count(kWhite), 10);
    EXPECT_GT(embossed.count(kShadow), 10);

    Canvas plain(100, 30, kFace);
    prepare(plain);
    SetTextColor(plain.dc, RGB(0, 0, 255));
    DrawStateA(plain.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), 0, 5, 5, 0, 0,
               DST_TEXT | DSS_NORMAL);
    EXPECT_GT(plain.count(0x0000FF), 10);
    EXPECT_EQ(plain.count(kWhite), 0);
}
