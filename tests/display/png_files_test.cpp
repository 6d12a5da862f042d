#include "display/headless/headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

TEST(PngFiles, PixelsSurviveARoundTrip) {
    display::Pixels pixels;
    pixels.resize(7, 5);
    for (size_t i = 0; i < pixels.data.size(); ++i) pixels.data[i] = static_cast<uint32_t>(i * 0x030507) & 0xFFFFFF;
    std::string path = ::testing::TempDir() + "round_trip.png";
    ASSERT_TRUE(display::writePng(path, pixels));
    display::Pixels back;
    ASSERT_TRUE(display::readPng(path, back));
    EXPECT_EQ(back.width, 7);
    EXPECT_EQ(back.height, 5);
    EXPECT_EQ(back.data, pixels.data);
    std::remove(path.c_str());
}

TEST(PngFiles, WhatIsNotAPngIsRefused) {
    std::string path = ::testing::TempDir() + "not_a.png";
    std::ofstream(path) << "plain text, not an image";
    display::Pixels pixels;
    pixels.resize(2, 2, 0x123456);
    EXPECT_FALSE(display::readPng(path, pixels));
    EXPECT_EQ(pixels.at(0, 0), 0x123456u);  // left as it was
    EXPECT_FALSE(display::readPng(::testing::TempDir() + "missing.png", pixels));
    display::Pixels empty;
    EXPECT_FALSE(display::writePng(path, empty));
    EXPECT_FALSE(display::writePng("/nonexistent-dir/x.png", pixels));
    std::remove(path.c_str());
}
