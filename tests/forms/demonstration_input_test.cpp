// The demonstration dialog driven with the mouse and the keyboard: clicks on buttons and
// labels, Enter in an edit field, the close box, and the notifications an edit field sends
// while a handler is still busy with an earlier event.
#include "demonstration_dialog.h"
#include "screen_helpers.h"
#include "text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using demo::Event;

bool hasCommand(const std::vector<Event>& events, int32_t id, int32_t notifyCode) {
    for (const Event& e : events)
        if (e.controlId == id && e.notifyCode == notifyCode) return true;
    return false;
}

class DemonstrationInput : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        demo::build();
    }
    void TearDown() override { freeDialogs(); }

    display::HeadlessBackend& screen() { return testui::headless(); }
    void closeWith(INT_PTR result) {
        screen().addStep([result] { closeDialog(demo::dialog, result); });
    }
};

TEST_F(DemonstrationInput, EditFieldsArePaintedInTheWindowColour) {
    screen().addStep([] {
        display::Pixels shot = testui::headless().screenshot();
        for (int32_t id : {demo::keyField, demo::countField}) {
            RECT field = screen::screenRect(demo::control(id));
            EXPECT_EQ(screen::pixel(shot, field.right - 4, (field.top + field.bottom) / 2),
                      screen::systemColour(COLOR_WINDOW))
                << id;
        }
        closeDialog(demo::dialog, 1);
    });
    showModal(demo::dialog, nullptr);
}

TEST_F(DemonstrationInput, ClicksAndEnterReachTheHandlerAsCommands) {
    screen().addStep([] { testui::click(demo::control(demo::upButton)); });
    screen().addStep([] { testui::click(demo::control(demo::countLabel)); });
    screen().addStep([] {
        testui::click(demo::control(demo::keyField));
        testui::key(VK_RETURN);
    });
    screen().addStep([] { screen::clickCloseBox(demo::dialog.window); });
    EXPECT_EQ(showModal(demo::dialog, nullptr), 2);

    std::vector<Event> commands = demo::commands();
    EXPECT_TRUE(hasCommand(commands, demo::upButton, BN_CLICKED));
    EXPECT_TRUE(hasCommand(commands, demo::countLabel, STN_CLICKED));
    EXPECT_TRUE(hasCommand(commands, demo::keyLabel, BN_CLICKED)) << "Enter goes to the control with id 1";
    // In that order, and the close box last: 32770 after them, then the destruction.
    std::vector<int32_t> order;
    for (const Event& e : demo::log) {
        if (e.message == commandMessage && (e.controlId == demo::upButton || e.controlId == demo::countLabel ||
                                            e.controlId == demo::keyLabel))
            order.push_back(e.controlId);
        if (e.message == closeMessage) order.push_back(-1);
    }
    EXPECT_EQ(order, (std::vector<int32_t>{demo::upButton, demo::countLabel, demo::keyLabel, -1}));
    EXPECT_EQ(demo::log.back().message, WM_DESTROY);
}


TEST_F(DemonstrationInput, TheOuterHandlerFindsItsOwnEventAfterANestedOne) {
    std::vector<Event> afterSetting;
    demo::reaction = [&afterSetting] {
        if (eventContext.message == commandMessage && eventContext.controlId == demo::upButton) {
            setControlText(demo::dialog, demo::keyField, "changed");
            afterSetting.push_back({eventContext.message, eventContext.controlId, eventContext.notifyCode,
                                    eventContext.wParam, eventContext.lParam});
        }
        return 0;
    };
    screen().addStep([] { testui::click(demo::control(demo::upButton)); });
    closeWith(1);
    showModal(demo::dialog, nullptr);

    ASSERT_EQ(afterSetting.size(), 1u);
    EXPECT_EQ(afterSetting[0].message, commandMessage);
    EXPECT_EQ(afterSetting[0].controlId, demo::upButton);
    EXPECT_EQ(afterSetting[0].notifyCode, BN_CLICKED);
    // The field's own notifications came in between, with their own values.
    EXPECT_TRUE(hasCommand(demo::commands(), demo::keyField, EN_UPDATE));
    EXPECT_TRUE(hasCommand(demo::commands(), demo::keyField, EN_CHANGE));
}

}  // namespace
