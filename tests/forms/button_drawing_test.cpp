// An owner-drawn command button as drawButton paints it while pressed, read back from the
// headless screen: the text moved by the press in a pushed frame, and the dark outline of
// the focus the press gives it. The unpressed button, as every button of the editor's form
// looks, is pinned down by the scenario tests' reviewed picture of the form.
#include "forms/colours.h"
#include "forms/controls.h"
#include "forms/dialog_registry.h"
#include "forms/modal_display.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t buttonId = 53;
DialogObject form;

HWND button() { return GetDlgItem(form.window, buttonId); }

// The text's ink inside a button, relative to the button's top-left corner.
testui::Box textBox(const testui::Screen& shot, RECT r) {
    testui::Box box = shot.inkBox(RECT{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4}, GetSysColor(COLOR_BTNFACE));
    return {box.left - r.left, box.top - r.top, box.right - r.left, box.bottom - r.top, box.empty};
}

TEST(ButtonDrawing, APressedButtonIsPushedAndAFocusedOneOutlined) {
    display::installHeadless();
    createDialog(form, 0, 7, 420, 200, 0x80C80080, nullptr, "Buttons", nullptr);
    // Odd sizes: the centre of an odd length is the same whether halved before or after
    // subtracting the text's size, so the drawn and the computed text positions agree.
    addControl(form, kindCommandButton, "Abc", 279, 10, 81, 29, 0x50000000, buttonId);
    RECT r{};
    testui::Screen initial{{}}, pressed{{}}, released{{}};
    auto& headless = testui::headless();
    headless.addStep([&] {
        r = testui::screenRect(button());
        initial = testui::Screen();
        POINT at = testui::centreOf(button());
        headless.mouseDown(at.x, at.y);
    });
    headless.addStep([&] {
        pressed = testui::Screen();
        testui::savePng(pressed.pixels(), "forms_button_pressed.png");
        POINT at = testui::centreOf(button());
        headless.mouseUp(at.x, at.y);
    });
    headless.addStep([&] {
        released = testui::Screen();
        closeDialog(form, 1);
    });
    showModal(form, nullptr);
    freeDialogs();

    const COLORREF black = RGB(0, 0, 0);
    testui::Box up = textBox(initial, r);
    testui::Box down = textBox(pressed, r);
    ASSERT_FALSE(up.empty);
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

    // Released, the focus outline stays and the text is back in place.
    EXPECT_EQ(released.at(r.left, r.top), black);
    EXPECT_EQ(released.at(r.right - 1, r.bottom - 1), black);
    EXPECT_NE(initial.at(r.left, r.top), black) << "an unfocused button has no outline";
    testui::Box after = textBox(released, r);
    EXPECT_EQ(after.left, up.left);
    EXPECT_EQ(after.top, up.top);
}

}  // namespace
