// The drawn message-box icons, pixel by pixel, on a bitmap at the program's scale.
#include "user/dialogs/message_box_icons.h"

#include <gtest/gtest.h>

using namespace user::dialogs;

namespace {

// The icon drawn at (0, 0) of a 32 x 32 bitmap filled with `background`.
class DrawnIcon {
public:
    DrawnIcon(MessageIcon icon, COLORREF background) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, kMessageIconSize, kMessageIconSize);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH fill = CreateSolidBrush(background);
        RECT all{0, 0, kMessageIconSize, kMessageIconSize};
        FillRect(dc_, &all, fill);
        DeleteObject(fill);
        drawMessageIcon(dc_, 0, 0, icon);
    }
    ~DrawnIcon() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    DrawnIcon(const DrawnIcon&) = delete;
    DrawnIcon& operator=(const DrawnIcon&) = delete;
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kBlue = RGB(0, 0, 255);

}  // namespace

TEST(MessageIcons, StopIsARedDiscWithAWhiteCross) {
    DrawnIcon icon(MessageIcon::Stop, kGrey);
    EXPECT_EQ(icon.at(16, 16), RGB(255, 255, 255));  // where the bars cross
    EXPECT_EQ(icon.at(12, 12), RGB(255, 255, 255));  // on a bar
    EXPECT_EQ(icon.at(16, 4), RGB(255, 0, 0));       // between the bars' ends
    EXPECT_EQ(icon.at(4, 16), RGB(255, 0, 0));
    EXPECT_EQ(icon.at(0, 0), kGrey);  // outside the disc
    EXPECT_EQ(icon.at(31, 31), kGrey);
    // The rim is smoothed: on its edge are pixels that mix the rim with what lies beneath,
    // so they differ with the background.
    DrawnIcon onBlue(MessageIcon::Stop, kBlue);
    int mixed = 0;
    for (int y = 0; y < kMessageIconSize; ++y)
        for (int x = 0; x < kMessageIconSize; ++x)
            mixed += icon.at(x, y) != kGrey && onBlue.at(x, y) != kBlue && icon.at(x, y) != onBlue.at(x, y);
    EXPECT_GT(mixed, 20);
}

TEST(MessageIcons, ExclamationIsAYellowTriangleWithABlackMark) {
    DrawnIcon icon(MessageIcon::Exclamation, kGrey);
    EXPECT_EQ(icon.at(8, 26), RGB(255, 255, 0));
    EXPECT_EQ(icon.at(22, 26), RGB(255, 255, 0));
    EXPECT_EQ(icon.at(15, 14), RGB(0, 0, 0));      // the bar
    EXPECT_EQ(icon.at(15, 24), RGB(0, 0, 0));      // the dot
    EXPECT_EQ(icon.at(15, 22), RGB(255, 255, 0));  // the gap between them
    EXPECT_EQ(icon.at(2, 2), kGrey);               // beside the apex
    EXPECT_EQ(icon.at(29, 2), kGrey);
}

TEST(MessageIcons, NoIconDrawsNothing) {
    DrawnIcon icon(MessageIcon::None, kGrey);
    for (int y = 0; y < kMessageIconSize; ++y)
        for (int x = 0; x < kMessageIconSize; ++x) EXPECT_EQ(icon.at(x, y), kGrey);
}
