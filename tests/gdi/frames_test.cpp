#include "canvas.h"

#include <gtest/gtest.h>

using namespace testgdi;

// A raised or sunken frame: the colours of its outer and inner ring at the top-left and
// bottom-right, which edge owns the two far corners, and the middle.
TEST(Frames, EachKindHasItsRingsCornersAndFace) {
    struct Case {
        const char* what;
        bool frameControl;  // DrawFrameControl(DFC_BUTTON, state), else DrawEdge(state, BF_RECT | BF_MIDDLE)
        UINT state;
        uint32_t outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight, farCorners;
    };
    const Case cases[] = {
        {"push button", true, DFCS_BUTTONPUSH, kWhite, kBlack, kFace, kShadow, kBlack},
        // Soft sunken: the 3-D light is the face's grey in these colours.
        {"pushed button", true, DFCS_BUTTONPUSH | DFCS_PUSHED, kBlack, kWhite, kShadow, kFace, kWhite},
        {"sunken edge", false, EDGE_SUNKEN, kShadow, kWhite, kBlack, kFace, kWhite},
        {"raised edge", false, EDGE_RAISED, kFace, kBlack, kWhite, kShadow, kBlack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Canvas canvas(100, 40, 0x123456);
        RECT r{10, 5, 85, 28};
        if (c.frameControl)
            EXPECT_TRUE(DrawFrameControl(canvas.dc, &r, DFC_BUTTON, c.state));
        else
            EXPECT_TRUE(DrawEdge(canvas.dc, &r, c.state, BF_RECT | BF_MIDDLE));
        EXPECT_EQ(edges(r), edges({10, 5, 85, 28})) << "without an adjust flag the rectangle stays";
        EXPECT_EQ(canvas.at(10, 8), c.outerTopLeft);
        EXPECT_EQ(canvas.at(84, 25), c.outerBottomRight);
        EXPECT_EQ(canvas.at(11, 8), c.innerTopLeft);
        EXPECT_EQ(canvas.at(83, 25), c.innerBottomRight);
        EXPECT_EQ(canvas.at(10, 27), c.farCorners);
        EXPECT_EQ(canvas.at(84, 5), c.farCorners);
        EXPECT_EQ(canvas.at(40, 15), kFace);
        EXPECT_EQ(edges(canvas.inkBounds(0x123456)), edges(r));
    }
    Canvas pushed(100, 40);
    RECT r{10, 5, 85, 28};
    DrawFrameControl(pushed.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(pushed.count(kBlack), 74 + 21) << "top and left only";
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

    Canvas etched(60, 40, kFace);
    RECT line{5, 5, 45, 30};
    DrawEdge(etched.dc, &line, EDGE_ETCHED, BF_TOP);
    EXPECT_EQ(etched.at(20, 5), kShadow);
    EXPECT_EQ(etched.at(20, 6), kWhite);
    EXPECT_EQ(etched.count(kShadow), 40);
    EXPECT_EQ(etched.count(kWhite), 40);
    EXPECT_EQ(line.top, 5);  // no BF_ADJUST
}
