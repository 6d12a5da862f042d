#include "canvas.h"

#include <gtest/gtest.h>

using namespace testgdi;

namespace {

// Colours of the outer and inner ring at the top-left and bottom-right corners.
struct Rings {
    uint32_t outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

Rings ringsOf(const Canvas& c, const RECT& r) {
    return Rings{c.at(r.left, r.top + 3), c.at(r.right - 1, r.bottom - 3), c.at(r.left + 1, r.top + 3),
                 c.at(r.right - 2, r.bottom - 3)};
}

}  // namespace

TEST(Frames, PushButtonIsRaisedWithAFace) {
    Canvas canvas(100, 40, 0x123456);
    RECT r{10, 5, 85, 28};
    EXPECT_TRUE(DrawFrameControl(canvas.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(r.left, 10);  // without DFCS_ADJUSTRECT the rectangle stays
    Rings rings = ringsOf(canvas, r);
    EXPECT_EQ(rings.outerTopLeft, kWhite);
    EXPECT_EQ(rings.outerBottomRight, kBlack);
    EXPECT_EQ(rings.innerTopLeft, kFace);
    EXPECT_EQ(rings.innerBottomRight, kShadow);
    EXPECT_EQ(canvas.at(10, 27), kBlack);   // the dark edge owns the bottom-left corner
    EXPECT_EQ(canvas.at(84, 5), kBlack);    // and the top-right one
    EXPECT_EQ(canvas.at(40, 15), kFace);
    RECT all = canvas.inkBounds(0x123456);
    EXPECT_TRUE(EqualRect(&all, &r));
}

TEST(Frames, PushedButtonIsASoftSunkenEdge) {
    Canvas canvas(100, 40, 0x123456);
    RECT r{10, 5, 85, 28};
    DrawFrameControl(canvas.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    Rings rings = ringsOf(canvas, r);
    EXPECT_EQ(rings.outerTopLeft, kBlack);
    EXPECT_EQ(rings.outerBottomRight, kWhite);
    EXPECT_EQ(rings.innerTopLeft, kShadow);
    EXPECT_EQ(rings.innerBottomRight, kFace);  // the 3-D light, the face's grey in these colours
    EXPECT_EQ(canvas.at(10, 27), kWhite);       // the light edge owns both far corners
    EXPECT_EQ(canvas.at(84, 5), kWhite);
    EXPECT_EQ(canvas.count(kBlack), 74 + 21);   // top and left only
    EXPECT_EQ(canvas.at(12, 7), kFace);
}

TEST(Frames, AdjustRectLeavesTheFace) {
    for (UINT pushed : {0u, UINT(DFCS_PUSHED)}) {
        Canvas canvas(100, 40);
        RECT r{10, 5, 85, 28};
        DrawFrameControl(canvas.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | pushed);
        EXPECT_EQ(edges(r), edges({12, 7, 83, 26}));
        // The face is exactly the adjusted rectangle, the frame's inner ring just outside.
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ASSERT_EQ(canvas.at(x, y), kFace) << x << "," << y;
        EXPECT_EQ(canvas.at(r.right, 15), pushed ? kFace : kShadow);
        EXPECT_EQ(canvas.at(r.left - 1, 15), pushed ? kShadow : kFace);
    }
}

TEST(Frames, EdgesAndAdjust) {
    Canvas canvas(60, 40, kFace);
    RECT r{5, 5, 45, 30};
    DrawEdge(canvas.dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(edges(r), edges({7, 7, 43, 28}));
    EXPECT_EQ(canvas.at(5, 10), kShadow);   // outer: shadow above-left
    EXPECT_EQ(canvas.at(44, 10), kWhite);   // highlight below-right
    EXPECT_EQ(canvas.at(6, 10), kBlack);    // inner: dark shadow above-left
    EXPECT_EQ(canvas.at(43, 10), kFace);    // 3-D light below-right

    Canvas etched(60, 40, kFace);
    RECT line{5, 5, 45, 30};
    DrawEdge(etched.dc, &line, EDGE_ETCHED, BF_TOP);
    EXPECT_EQ(etched.at(20, 5), kShadow);
    EXPECT_EQ(etched.at(20, 6), kWhite);
    EXPECT_EQ(etched.count(kShadow), 40);
    EXPECT_EQ(etched.count(kWhite), 40);
    EXPECT_EQ(line.top, 5);  // no BF_ADJUST

    Canvas raised(60, 40, 0x123456);
    RECT box{5, 5, 45, 30};
    DrawEdge(raised.dc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    EXPECT_EQ(raised.at(5, 10), kFace);     // 3-D light
    EXPECT_EQ(raised.at(44, 10), kBlack);
    EXPECT_EQ(raised.at(6, 10), kWhite);
    EXPECT_EQ(raised.at(43, 10), kShadow);
    EXPECT_EQ(raised.at(20, 20), kFace);
}

TEST(Frames, CheckBoxRadioAndCloseGlyphsShowTheirState) {
    Canvas unchecked(20, 20, kFace);
    Canvas checked(20, 20, kFace);
    RECT box{2, 2, 15, 15};
    DrawFrameControl(unchecked.dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
    DrawFrameControl(checked.dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(unchecked.count(kWhite), 9 * 9 + 2 * 13 - 1);  // inside and the highlight edge
    EXPECT_GT(checked.count(kBlack), unchecked.count(kBlack) + 10);

    Canvas radio(20, 20, kFace);
    Canvas chosen(20, 20, kFace);
    RECT round{2, 2, 14, 14};
    DrawFrameControl(radio.dc, &round, DFC_BUTTON, DFCS_BUTTONRADIO);
    DrawFrameControl(chosen.dc, &round, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(chosen.count(kBlack) - radio.count(kBlack), 12);

    Canvas close(20, 20);
    RECT button{2, 2, 18, 16};
    EXPECT_TRUE(DrawFrameControl(close.dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    // A raised frame with a black cross in the middle of the face.
    EXPECT_EQ(close.at(9, 8), kBlack);
    EXPECT_EQ(close.at(10, 9), kBlack);
    EXPECT_EQ(close.at(9, 4), kFace);
}
