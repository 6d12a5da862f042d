#include "accessibility/label_rule.h"

#include <gtest/gtest.h>

namespace accessibility {
namespace {

struct Case {
    const char* what;
    Box field;
    std::vector<Box> labels;
    int expected;
};

// Pixel rectangles as the editor's form has them: fields of 20 pixels, labels of about 19.
const Case cases[] = {
    {"the label right of a short field", {8, 28, 40, 48}, {{45, 31, 510, 50}}, 0},
    {"the nearer of a label left and a button right",
     {340, 321, 407, 341},
     {{283, 323, 333, 338}, {416, 321, 487, 341}},
     0},
    {"a label left when nothing is right", {350, 399, 390, 419}, {{273, 399, 343, 419}}, 0},
    {"a label touching the field's top belongs to the row above",
     {8, 147, 423, 167},
     {{428, 129, 618, 148}, {428, 150, 757, 169}},
     1},
    {"between two as near, the one overlapping more", {8, 100, 50, 120}, {{55, 102, 90, 121}, {55, 100, 90, 120}}, 1},
    {"a label above the field names nothing", {8, 100, 400, 120}, {{8, 80, 200, 99}}, -1},
    {"a label across the field names nothing", {8, 100, 400, 120}, {{300, 100, 500, 120}}, -1},
    {"no labels", {8, 100, 400, 120}, {}, -1},
};

TEST(LabelRule, TheLabelBesideTheFieldOnItsRow) {
    for (const Case& c : cases) EXPECT_EQ(labelBeside(c.field, c.labels), c.expected) << c.what;
}

}  // namespace
}  // namespace accessibility
