// The drawn message-box icons, pixel by pixel.
#include "user/dialogs/message_box_icons.h"

#include <gtest/gtest.h>

using namespace user::dialogs;

namespace {

const IconPixel& pixel(const IconImage& image, int x, int y) {
    return image[static_cast<size_t>(y * kMessageIconSize + x)];
}

}  // namespace

TEST(MessageIcons, StopIsARedDiscWithAWhiteCross) {
    IconImage image = renderMessageIcon(MessageIcon::Stop);
    EXPECT_EQ(pixel(image, 16, 16).colour, RGB(255, 255, 255));  // where the bars cross
    EXPECT_EQ(pixel(image, 16, 16).coverage, 255);
    EXPECT_EQ(pixel(image, 12, 12).colour, RGB(255, 255, 255));  // on a bar
    EXPECT_EQ(pixel(image, 16, 4).colour, RGB(255, 0, 0));       // between the bars' ends
    EXPECT_EQ(pixel(image, 4, 16).colour, RGB(255, 0, 0));
    EXPECT_EQ(pixel(image, 0, 0).coverage, 0);  // outside the disc
    EXPECT_EQ(pixel(image, 31, 31).coverage, 0);
    // The rim is smoothed: partly covered pixels exist on the edge.
    int partial = 0;
    for (const IconPixel& p : image)
        partial += p.coverage > 0 && p.coverage < 255;
    EXPECT_GT(partial, 20);
}

TEST(MessageIcons, ExclamationIsAYellowTriangleWithABlackMark) {
    IconImage image = renderMessageIcon(MessageIcon::Exclamation);
    EXPECT_EQ(pixel(image, 8, 26).colour, RGB(255, 255, 0));
    EXPECT_EQ(pixel(image, 22, 26).colour, RGB(255, 255, 0));
    EXPECT_EQ(pixel(image, 15, 14).colour, RGB(0, 0, 0));  // the bar
    EXPECT_EQ(pixel(image, 15, 24).colour, RGB(0, 0, 0));  // the dot
    EXPECT_EQ(pixel(image, 15, 22).colour, RGB(255, 255, 0));  // the gap between them
    EXPECT_EQ(pixel(image, 2, 2).coverage, 0);  // beside the apex
    EXPECT_EQ(pixel(image, 29, 2).coverage, 0);
}

TEST(MessageIcons, NoIconCoversNothing) {
    for (const IconPixel& p : renderMessageIcon(MessageIcon::None))
        EXPECT_EQ(p.coverage, 0);
}
