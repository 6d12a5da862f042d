// The pixel-to-dialog-unit rule: edges are rounded, and halves, which the editor form's
// own positions never produce, go to the even neighbour. The template itself and the
// form's units show in the scenario tests' form picture.
#include "dialogs.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(DialogUnits, EdgesAreRoundedNotSizesAndHalvesGoToTheEvenNeighbour) {
    struct Row {
        int32_t x, y, width, height, baseX, baseY;
        DialogUnits want;
    };
    const Row rows[] = {
        {1, 0, 1, 0, 6, 13, {1, 0, 0, 0}},  // round(4/6) = 1 and round(8/6) = 1, so the width is 0
        {5, 0, 0, 0, 8, 8, {2, 0, 0, 0}},   // 2.5 -> 2
        {3, 0, 0, 0, 8, 8, {2, 0, 0, 0}},   // 1.5 -> 2
        {7, 0, 0, 0, 8, 8, {4, 0, 0, 0}},   // 3.5 -> 4
        {-5, 0, 0, 0, 8, 8, {-2, 0, 0, 0}},  // -2.5 -> -2
        {0, 5, 0, 6, 8, 16, {0, 2, 0, 4}},  // y 2.5 -> 2, the bottom edge 5.5 -> 6
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.x << "," << row.y << " " << row.width << "x" << row.height);
        DialogUnits got = toDialogUnits(row.x, row.y, row.width, row.height, row.baseX, row.baseY);
        EXPECT_EQ(got.x, row.want.x);
        EXPECT_EQ(got.y, row.want.y);
        EXPECT_EQ(got.width, row.want.width);
        EXPECT_EQ(got.height, row.want.height);
    }
}

}  // namespace
