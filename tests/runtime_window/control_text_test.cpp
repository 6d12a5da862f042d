// Texts between the program and the controls of a dialog: nothing reaches a dialog that
// is not on screen or a control it lacks.
#include "text.h"

#include "ui_driver.h"

#include <gtest/gtest.h>

namespace {

class ControlTexts : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        initTextHeap();
        window = CreateWindowExA(0, "STATIC", "frame", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        field = CreateWindowExA(0, "EDIT", "start", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, window,
                                reinterpret_cast<HMENU>(6), nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    HWND window = nullptr;
    HWND field = nullptr;
};

TEST_F(ControlTexts, ADialogOnScreenGivesAndTakesTexts) {
    DialogObject dialog;
    dialog.window = window;
    char* text = getControlText(dialog, 6);
    EXPECT_STREQ(text, "start");
    freeText(text);
    setControlText(dialog, 6, "caf\xE9");
    text = getControlText(dialog, 6);
    EXPECT_STREQ(text, "caf\xE9");
    freeText(text);
}

TEST_F(ControlTexts, AMissingControlOrADialogOffScreenGivesAnEmptyTextAndTakesNothing) {
    DialogObject onScreen;
    onScreen.window = window;
    char* missing = getControlText(onScreen, 99);
    ASSERT_NE(missing, nullptr);
    EXPECT_STREQ(missing, "");
    EXPECT_NE(freeText(missing), 0);  // a value of its own, to be released

    DialogObject offScreen;
    char* none = getControlText(offScreen, 6);
    ASSERT_NE(none, nullptr);
    EXPECT_STREQ(none, "");
    freeText(none);
    setControlText(offScreen, 6, "lost");
    setControlText(onScreen, 99, "lost");
    EXPECT_EQ(testui::windowText(field), "start");
}

}  // namespace
