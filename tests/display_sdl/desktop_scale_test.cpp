#include "display/sdl/desktop_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace display::sdl {
namespace {

// Which announcement wins, and what each one's value comes to, in DPI (96 is scale one).
TEST(DesktopScale, TheStrongestAnnouncementGivesTheScale) {
    struct Case {
        const char* what;
        ScaleAnnouncements announced;
        int dpi;
    };
    const Case cases[] = {
        {"nothing announced", {}, 96},
        {"Xft.dpi 192", {"", "Xft.dpi:\t192\nXft.antialias:\t1\n", "", ""}, 192},
        {"Xft.dpi 144", {"", "Xft.antialias: 1\nXft.dpi: 144\n", "", ""}, 144},
        {"Xft.dpi 100 is a normal screen", {"", "Xft.dpi:\t100\n", "", ""}, 96},
        {"Xft.dpi 120 is 125 %", {"", "Xft.dpi:\t120\n", "", ""}, 120},
        {"Xft.dpi below 96 never shrinks", {"", "Xft.dpi:\t72\n", "", ""}, 96},
        {"Xft.dpi beyond 4 times", {"", "Xft.dpi:\t600\n", "", ""}, 384},
        {"another resource named like it", {"", "Xft.dpiX:\t192\n", "", ""}, 96},
        {"Xft.dpi over GDK_SCALE", {"", "Xft.dpi:\t144\n", "2", ""}, 144},
        {"Xft.dpi with GDK_DPI_SCALE", {"", "Xft.dpi:\t96\n", "", "1.5"}, 144},
        {"GDK_SCALE alone", {"", "", "2", ""}, 192},
        {"GDK_SCALE is whole", {"", "", "2.7", ""}, 192},
        {"GDK_SCALE with GDK_DPI_SCALE", {"", "", "2", "0.75"}, 144},
        {"GDK_DPI_SCALE alone", {"", "", "", "1.25"}, 120},
        {"the Wayland output's scale", {"", "", "", "", 2}, 192},
        {"a fractional Wayland output", {"", "", "", "", 1.5}, 144},
        {"Wayland output with GDK_DPI_SCALE", {"", "", "", "1.5", 2}, 288},
        {"GDK_SCALE over the Wayland output", {"", "", "1", "", 2}, 96},
        {"EDITOR_SCALE over the Wayland output", {"1", "", "", "", 2}, 96},
        {"EDITOR_SCALE overrides", {"1.75", "Xft.dpi:\t192\n", "2", ""}, 168},
        {"EDITOR_SCALE is any factor", {"1.1", "", "", ""}, 106},
        {"EDITOR_SCALE out of range is ignored", {"5", "Xft.dpi:\t192\n", "", ""}, 192},
        {"EDITOR_SCALE not a number is ignored", {"big", "", "", ""}, 96},
        {"a value that is not a number", {"", "Xft.dpi:\tlots\n", "", ""}, 96},
    };
    for (const Case& c : cases) {
        ChosenScale chosen = chooseScale(c.announced);
        EXPECT_EQ(chosen.scale.dpi, c.dpi) << c.what << ": " << chosen.reason;
        EXPECT_NE(chosen.reason.find("scale"), std::string::npos) << c.what;
    }
}

TEST(DesktopScale, TheReasonNamesTheAnnouncement) {
    EXPECT_EQ(chooseScale({"", "Xft.dpi:\t192\n", "2", ""}).reason,
              "display: scale 2 (Xft.dpi 192 in the X resources)");
    EXPECT_EQ(chooseScale({"3", "", "", ""}).reason, "display: scale 3 (EDITOR_SCALE=3)");
    EXPECT_EQ(chooseScale({}).reason, "display: scale 1 (the desktop announces no scale)");
    EXPECT_EQ(chooseScale({"", "", "", "", 2}).reason, "display: scale 2 (the Wayland output's scale 2)");
    // Only a scale the output decided follows the window from output to output.
    EXPECT_TRUE(chooseScale({"", "", "", "1.5", 2}).followsWaylandOutput);
    EXPECT_FALSE(chooseScale({"1.5", "", "", "", 2}).followsWaylandOutput);
    EXPECT_FALSE(chooseScale({"", "", "2", "", 1}).followsWaylandOutput);
}

// Program edges land on rounded device edges, and each device pixel maps back to the
// program pixel whose device area holds it, at every scale.
TEST(DesktopScale, DevicePixelsMapBackToTheProgramPixelHoldingThem) {
    for (int dpi : {96, 106, 120, 144, 168, 192, 288, 384}) {
        Scale scale{dpi};
        for (int p = -50; p < 50; ++p) {
            EXPECT_EQ(scale.toDevice(p), static_cast<int>(std::floor(p * dpi / 96.0 + 0.5))) << dpi << " " << p;
            for (int d = scale.toDevice(p); d < scale.toDevice(p + 1); ++d)
                EXPECT_EQ(scale.toProgram(d), p) << "dpi " << dpi << " device " << d;
        }
    }
}

}  // namespace
}  // namespace display::sdl
