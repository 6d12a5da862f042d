// Owner-drawn command buttons as drawButton paints them, read back from the headless
// screen: frame, face, the dark outline of the default and the focused button, the text
// moved by a press and the embossed text of a disabled button.
#include "colours.h"
#include "dialogs.h"
#include "screen_helpers.h"

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
screen::Box textBox(const display::Pixels& shot, RECT button) {
    screen::Box box = screen::inkBox(shot, inset(button, 4), screen::systemColour(COLOR_BTNFACE));
    return {box.left - button.left, box.top - button.top, box.right - button.left, box.bottom - button.top, box.empty};
}

// Rows holding ink, as runs of consecutive rows: one run a line of text.
std::vector<std::pair<int, int>> inkRows(const display::Pixels& shot, RECT area) {
    std::vector<std::pair<int, int>> runs;
    uint32_t face = screen::systemColour(COLOR_BTNFACE);
    for (int y = area.top; y < area.bottom; ++y) {
        bool ink = false;
        for (int x = area.left; x < area.right && !ink; ++x) ink = screen::pixel(shot, x, y) != face;
        if (!ink) continue;
        if (!runs.empty() && runs.back().second == y)
            runs.back().second = y + 1;
        else
            runs.push_back({y, y + 1});
    }
    return runs;
}

bool hasColour(const display::Pixels& shot, RECT area, uint32_t colour) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (screen::pixel(shot, x, y) == colour) return true;
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
                rects[id] = screen::screenRect(button(id));
            initial = headless.screenshot();
            POINT at = testui::centreOf(button(pressedId));
            headless.mouseDown(at.x, at.y);
        });
        headless.addStep([this, &headless] {
            pressed = headless.screenshot();
            screen::savePng(pressed, "forms_button_pressed.png");
            POINT at = testui::centreOf(button(pressedId));
            headless.mouseUp(at.x, at.y);
        });
        headless.addStep([this, &headless] {
            released = headless.screenshot();
            screen::savePng(released, "forms_button_states.png");
            closeDialog(states, 1);
        });
        showModal(states, nullptr);
    }
    void TearDown() override { freeDialogs(); }

    std::map<int32_t, RECT> rects;
    display::Pixels initial, pressed, released;
    const uint32_t face = screen::systemColour(COLOR_BTNFACE);
    const uint32_t black = 0x000000;
};

// The plain button, as every button of the editor's form looks, is pinned down by the
// scenario tests' reviewed picture of the form; here it is the reference for the others.
TEST_F(ButtonDrawing, TheDefaultButtonHasADarkOutlineAndAnInsetFrame) {
    RECT r = rects[defaultId];
    RECT plain = rects[plainId];
    EXPECT_EQ(screen::pixel(initial, r.left, r.top), black);
    EXPECT_EQ(screen::pixel(initial, r.right - 1, r.top), black);
    EXPECT_EQ(screen::pixel(initial, r.left, r.bottom - 1), black);
    EXPECT_EQ(screen::pixel(initial, r.right - 1, r.bottom - 1), black);
    // The frame starts one pixel further in: where the plain button's frame starts.
    EXPECT_EQ(screen::pixel(initial, r.left + 1, r.top + 1), screen::pixel(initial, plain.left, plain.top));
    EXPECT_EQ(screen::pixel(initial, r.left + 3, r.top + 3), face);
    screen::Box text = textBox(initial, r);
    screen::Box plainText = textBox(initial, plain);
    EXPECT_EQ(text.left, plainText.left);
    EXPECT_EQ(text.top, plainText.top);
}

// Pressed, its text moves one down and right in a pushed frame; the press gives it the
// focus, which outlines it like the default button, its text back in place once released.
TEST_F(ButtonDrawing, APressedButtonIsPushedAndAFocusedOneOutlined) {
    RECT r = rects[pressedId];
    screen::Box up = textBox(initial, r);
    screen::Box down = textBox(pressed, r);
    ASSERT_FALSE(down.empty);
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);
    EXPECT_EQ(down.right, up.right + 1);
    EXPECT_EQ(down.bottom, up.bottom + 1);
    EXPECT_EQ(screen::pixel(pressed, r.left, r.top), black);
    // Inside the outline a soft sunken edge: darkest on the top and left, white on the
    // bottom and right.
    EXPECT_EQ(screen::pixel(pressed, r.left + 1, r.top + 1), screen::systemColour(COLOR_3DDKSHADOW));
    EXPECT_EQ(screen::pixel(pressed, r.left + 2, r.top + 2), screen::systemColour(COLOR_BTNSHADOW));
    EXPECT_EQ(screen::pixel(pressed, r.right - 2, r.bottom - 2), screen::systemColour(COLOR_BTNHIGHLIGHT));

    EXPECT_EQ(screen::pixel(released, r.left, r.top), black);
    EXPECT_EQ(screen::pixel(released, r.right - 1, r.bottom - 1), black);
    screen::Box after = textBox(released, r);
    EXPECT_EQ(after.left, up.left);
    EXPECT_EQ(after.top, up.top);
}

TEST_F(ButtonDrawing, ADisabledButtonHasEmbossedGreyTextOnePixelHigher) {
    RECT r = rects[disabledId];
    screen::Box enabled = textBox(initial, rects[plainId]);
    screen::Box grey = textBox(initial, r);
    ASSERT_FALSE(grey.empty);
    // Grey text one pixel higher, its white shadow one pixel down and right of it.
    EXPECT_EQ(grey.top, enabled.top - 1);
    EXPECT_EQ(grey.left, enabled.left);
    EXPECT_EQ(grey.bottom, enabled.bottom);
    EXPECT_EQ(grey.right, enabled.right + 1);
    EXPECT_TRUE(hasColour(initial, inset(r, 4), screen::systemColour(COLOR_BTNHIGHLIGHT)));
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
        screen::Box line = screen::inkBox(initial, RECT{area.left, top, area.right, bottom}, face);
        EXPECT_LE(std::abs((line.left - r.left) - (r.right - line.right)), 2) << "line at " << top;
    }
}

}  // namespace
