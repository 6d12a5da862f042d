// Owner-drawn command buttons as drawButton paints them, read back from the headless
// screen: frame, face, the dark outline of the default and the focused button, the text
// moved by a press and the embossed text of a disabled button.
#include "colours.h"
#include "dialogs.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

namespace {

enum : int32_t { plainId = 50, defaultId = 51, disabledId = 52, pressedId = 53, multiLineId = 54 };

DialogObject states;

// Odd sizes: the centre of an odd length is the same whether halved before or after
// subtracting the text's size, so the drawn and the computed text positions agree.
constexpr int buttonWidth = 81;
constexpr int buttonHeight = 29;

HWND button(int32_t id) { return GetDlgItem(states.window, id); }

RECT inset(RECT r, int by) { return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// The text's ink inside a button, relative to the button's top-left corner.
testui::Box textBox(const testui::Screen& shot, RECT button) {
    testui::Box box = shot.inkBox(inset(button, 4), GetSysColor(COLOR_BTNFACE));
    return {box.left - button.left, box.top - button.top, box.right - button.left, box.bottom - button.top, box.empty};
}

// Rows holding ink, as runs of consecutive rows: one run a line of text.
std::vector<std::pair<int, int>> inkRows(const testui::Screen& shot, RECT area) {
    std::vector<std::pair<int, int>> runs;
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = area.top; y < area.bottom; ++y) {
        bool ink = false;
        for (int x = area.left; x < area.right && !ink; ++x) ink = shot.at(x, y) != face;
        if (!ink) continue;
        if (!runs.empty() && runs.back().second == y)
            runs.back().second = y + 1;
        else
            runs.push_back({y, y + 1});
    }
    return runs;
}

bool hasColour(const testui::Screen& shot, RECT area, uint32_t colour) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (shot.at(x, y) == colour) return true;
    return false;
}

class ButtonDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        createDialog(states, 0, 7, 420, 200, 0x80C80080, nullptr, "Buttons", nullptr);
        addControl(states, kindCommandButton, "Abc", 9, 10, buttonWidth, buttonHeight, 0x50000000, plainId);
        addControl(states, kindCommandButton, "Abc", 99, 10, buttonWidth, buttonHeight, 0x50000001, defaultId);
        addControl(states, kindCommandButton, "Abc", 189, 10, buttonWidth, buttonHeight, 0x58000000, disabledId);
        addControl(states, kindCommandButton, "Abc", 279, 10, buttonWidth, buttonHeight, 0x50000000, pressedId);
        addControl(states, kindCommandButton, "one two three", 9, 60, 39, 99, 0x50000000 | BS_MULTILINE,
                   multiLineId);

        auto& headless = testui::headless();
        headless.addStep([this, &headless] {
            for (int32_t id : {plainId, defaultId, disabledId, pressedId, multiLineId})
                rects[id] = testui::screenRect(button(id));
            initial = testui::Screen();
            POINT at = testui::centreOf(button(pressedId));
            headless.mouseDown(at.x, at.y);
        });
        headless.addStep([this, &headless] {
            pressed = testui::Screen();
            testui::savePng(pressed.pixels(), "forms_button_pressed.png");
            POINT at = testui::centreOf(button(pressedId));
            headless.mouseUp(at.x, at.y);
        });
        headless.addStep([this, &headless] {
            released = testui::Screen();
            testui::savePng(released.pixels(), "forms_button_states.png");
            closeDialog(states, 1);
        });
        showModal(states, nullptr);
    }
    void TearDown() override { freeDialogs(); }

    std::map<int32_t, RECT> rects;
    testui::Screen initial{{}}, pressed{{}}, released{{}};  // taken by the steps
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF black = RGB(0, 0, 0);
};

// The plain button, as every button of the editor's form looks, is pinned down by the
// scenario tests' reviewed picture of the form; here it is the reference for the others.
TEST_F(ButtonDrawing, TheDefaultButtonHasADarkOutlineAndAnInsetFrame) {
    RECT r = rects[defaultId];
    RECT plain = rects[plainId];
    EXPECT_EQ(initial.at(r.left, r.top), black);
    EXPECT_EQ(initial.at(r.right - 1, r.top), black);
    EXPECT_EQ(initial.at(r.left, r.bottom - 1), black);
    EXPECT_EQ(initial.at(r.right - 1, r.bottom - 1), black);
    // The frame starts one pixel further in: where the plain button's frame starts.
    EXPECT_EQ(initial.at(r.left + 1, r.top + 1), initial.at(plain.left, plain.top));
    EXPECT_EQ(initial.at(r.left + 3, r.top + 3), face);
    testui::Box text = textBox(initial, r);
    testui::Box plainText = textBox(initial, plain);
    EXPECT_EQ(text.left, plainText.left);
    EXPECT_EQ(text.top, plainText.top);
}

// Pressed, its text moves one down and right in a pushed frame; the press gives it the
// focus, which outlines it like the default button, its text back in place once released.
TEST_F(ButtonDrawing, APressedButtonIsPushedAndAFocusedOneOutlined) {
    RECT r = rects[pressedId];
    testui::Box up = textBox(initial, r);
    testui::Box down = textBox(pressed, r);
    ASSERT_FALSE(down.empty);
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);
    EXPECT_EQ(down.right, up.right + 1);
    EXPECT_EQ(down.bottom, up.bottom + 1);
    EXPECT_EQ(pressed.at(r.left, r.top), black);
    // Inside the outline a soft sunken edge: darkest on the top and left, white on the
    // bottom and right.
    EXPECT_EQ(pressed.at(r.left + 1, r.top + 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(pressed.at(r.left + 2, r.top + 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pressed.at(r.right - 2, r.bottom - 2), GetSysColor(COLOR_BTNHIGHLIGHT));

    EXPECT_EQ(released.at(r.left, r.top), black);
    EXPECT_EQ(released.at(r.right - 1, r.bottom - 1), black);
    testui::Box after = textBox(released, r);
    EXPECT_EQ(after.left, up.left);
    EXPECT_EQ(after.top, up.top);
}

TEST_F(ButtonDrawing, ADisabledButtonHasEmbossedGreyTextOnePixelHigher) {
    RECT r = rects[disabledId];
    testui::Box enabled = textBox(initial, rects[plainId]);
    testui::Box grey = textBox(initial, r);
    ASSERT_FALSE(grey.empty);
    // Grey text one pixel higher, its white shadow one pixel down and right of it.
    EXPECT_EQ(grey.top, enabled.top - 1);
    EXPECT_EQ(grey.left, enabled.left);
    EXPECT_EQ(grey.bottom, enabled.bottom);
    EXPECT_EQ(grey.right, enabled.right + 1);
    EXPECT_TRUE(hasColour(initial, inset(r, 4), GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_FALSE(hasColour(initial, inset(r, 4), black));
}

TEST_F(ButtonDrawing, AMultiLineButtonCentresItsBlockOfLines) {
    RECT r = rects[multiLineId];
    RECT area = inset(r, 4);
    std::vector<std::pair<int, int>> lines = inkRows(initial, area);
    ASSERT_EQ(lines.size(), 3u) << "one two three in three lines";
    int above = lines.front().first - r.top;
    int below = r.bottom - lines.back().second;
    EXPECT_LE(std::abs(above - below), 3);
    for (auto [top, bottom] : lines) {
        testui::Box line = initial.inkBox(RECT{area.left, top, area.right, bottom}, face);
        EXPECT_LE(std::abs((line.left - r.left) - (r.right - line.right)), 2) << "line at " << top;
    }
}

}  // namespace
