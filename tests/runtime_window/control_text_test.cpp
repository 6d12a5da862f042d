// Texts between the program and the controls of a dialog: nothing reaches a dialog that
// is not on screen or a control it lacks.
#include "text.h"

#include "ui_driver.h"

#include <gtest/gtest.h>

#include <utility>

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

TEST_F(ControlTexts, OnlyADialogOnScreenWithThatControlGivesAndTakesTexts) {
    DialogObject onScreen, offScreen;
    onScreen.window = window;
    char* text = getControlText(onScreen, 6);
    EXPECT_STREQ(text, "start");
    freeText(text);
    setControlText(onScreen, 6, "caf\xE9");
    text = getControlText(onScreen, 6);
    EXPECT_STREQ(text, "caf\xE9");
    freeText(text);

    // A missing control, or a dialog off screen: an empty text of its own, and nothing taken.
    for (auto [dialog, id] : {std::pair{&onScreen, 99}, std::pair{&offScreen, 6}}) {
        char* empty = getControlText(*dialog, id);
        ASSERT_NE(empty, nullptr);
        EXPECT_STREQ(empty, "");
        EXPECT_NE(freeText(empty), 0);
        setControlText(*dialog, id, "lost");
    }
    EXPECT_EQ(testui::windowText(field), "caf\xE9");
}

}  // namespace
