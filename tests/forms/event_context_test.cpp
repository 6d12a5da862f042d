// dispatchEvent: how each message turns into the EventContext a handler reads, and that
// every handler call leaves the context as it found it (but for the last menu id).
#include "events.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<EventContext> seen;
int32_t handlerResult = 0;

int32_t recordingHandler() {
    seen.push_back(eventContext);
    return handlerResult;
}

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        handlerResult = 0;
        eventContext = EventContext{};
        dialog.handler = recordingHandler;
        dialog.isDialog = 1;
    }
    // The context the handler saw for one message.
    EventContext send(UINT message, WPARAM wParam, LPARAM lParam) {
        seen.clear();
        dispatchEvent(dialog, message, wParam, lParam);
        EXPECT_EQ(seen.size(), 1u);
        return seen.empty() ? EventContext{} : seen.back();
    }

    DialogObject dialog;
    // Stands in for a control's window: dispatchEvent only tests it for null.
    const LPARAM controlWindow = 0x1234;
};

TEST_F(Dispatch, CommandsFromControlsAndNotificationsCarryTheIdAndCode) {
    EventContext c = send(WM_COMMAND, 0x0A010005, controlWindow);
    EXPECT_EQ(c.message, commandMessage);
    EXPECT_EQ(c.controlId, 5);
    EXPECT_EQ(c.notifyCode, 0x0A01);
    EXPECT_EQ(c.wParam, 0x0A010005u);
    EXPECT_EQ(c.lParam, controlWindow);
    EXPECT_EQ(c.window, &dialog);

    c = send(commandMessage, MAKEWPARAM(7, 0), controlWindow);  // sent by a program
    EXPECT_EQ(c.message, commandMessage);
    EXPECT_EQ(c.controlId, 7);

    NMHDR header{};
    header.idFrom = 12;
    header.code = static_cast<UINT>(-2);
    c = send(WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(c.message, commandMessage);
    EXPECT_EQ(c.controlId, 12);
    EXPECT_EQ(c.notifyCode, -2);
}

TEST_F(Dispatch, CommandsWithoutAControlAreMenuCommands) {
    eventContext.controlId = 41;
    EventContext c = send(WM_COMMAND, 2, 0);
    EXPECT_EQ(c.message, menuCommandMessage);
    EXPECT_EQ(c.menuId, 2);
    EXPECT_EQ(c.controlId, 41);  // unchanged
    EXPECT_EQ(c.window, &dialog);
    EXPECT_EQ(eventContext.menuId, 2);  // the one field not restored
    EXPECT_EQ(eventContext.controlId, 41);
}

TEST_F(Dispatch, MouseMessagesSplitThePointAndMoveTheKeyFlags) {
    EventContext c = send(WM_LBUTTONDOWN, 1, 0x00140010);
    EXPECT_EQ(c.message, WM_LBUTTONDOWN);
    EXPECT_EQ(c.lParam, 1);
    EXPECT_EQ(c.mouseX, 16);
    EXPECT_EQ(c.mouseY, 20);

    c = send(WM_RBUTTONDBLCLK, 2, static_cast<LPARAM>(0xFFFEFFFFu));  // -1, -2 from a capture
    EXPECT_EQ(c.mouseX, 65535);
    EXPECT_EQ(c.mouseY, 65534);

    c = send(WM_MBUTTONDOWN, 1, 0x00140010);  // not one of the seven
    EXPECT_EQ(c.lParam, 0x00140010);
    EXPECT_EQ(c.mouseX, 0);
}

TEST_F(Dispatch, CloseAndSizeCodes) {
    EXPECT_EQ(send(WM_CLOSE, 0, 0).message, closeMessage);

    dialog.window = reinterpret_cast<HWND>(0x5678);
    EventContext c = send(sizeMessage, 0, 0x01000200);
    EXPECT_EQ(c.message, sizeMessage);
    EXPECT_EQ(c.lParam, 0x5678);

    c = send(WM_SIZE, 0, 0x01000200);  // the platform's own number passes unchanged
    EXPECT_EQ(c.message, WM_SIZE);
    EXPECT_EQ(c.lParam, 0x01000200);
}

TEST_F(Dispatch, EveryFieldButTheMenuIdIsRestoredAndTheHandlersResultReturned) {
    DialogObject other;
    const EventContext before{4, 5, 6, 7, 8, &other, 9, 10, 11};
    eventContext = before;
    handlerResult = 77;
    EXPECT_EQ(dispatchEvent(dialog, WM_COMMAND, 0x03000001, controlWindow), 77);
    dispatchEvent(dialog, WM_LBUTTONUP, 0, 0x00300040);
    dispatchEvent(dialog, WM_COMMAND, 33, 0);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].controlId, 9);  // fields a message does not set keep their values
    EXPECT_EQ(seen[1].notifyCode, 11);
    EXPECT_EQ(eventContext.message, before.message);
    EXPECT_EQ(eventContext.wParam, before.wParam);
    EXPECT_EQ(eventContext.lParam, before.lParam);
    EXPECT_EQ(eventContext.mouseX, before.mouseX);
    EXPECT_EQ(eventContext.mouseY, before.mouseY);
    EXPECT_EQ(eventContext.window, before.window);
    EXPECT_EQ(eventContext.controlId, before.controlId);
    EXPECT_EQ(eventContext.notifyCode, before.notifyCode);
    EXPECT_EQ(eventContext.menuId, 33);

    // No handler: nothing happens and the answer is 0.
    dialog.handler = nullptr;
    EXPECT_EQ(dispatchEvent(dialog, WM_COMMAND, 0x10008, controlWindow), 0);
    EXPECT_EQ(eventContext.controlId, before.controlId);
}

}  // namespace
