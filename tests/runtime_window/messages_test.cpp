// The message pump and the centring hook of message boxes, on the
// headless display (1024 x 768, work area 0, 0, 1024, 738).
#include "runtime/messages.h"

#include "message_recorder.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RuntimeWindows : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        testmsg::log().clear();
    }
    void TearDown() override {
        for (HWND window : made) DestroyWindow(window);
    }

    HWND popup(int x, int y, int width, int height, DWORD style = WS_VISIBLE, HWND owner = nullptr) {
        HWND window = CreateWindowExA(0, testmsg::recorderClass(), "popup", WS_POPUP | style, x, y, width, height,
                                      owner, nullptr, nullptr, nullptr);
        made.push_back(window);
        return window;
    }
    static RECT rectOf(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }

    std::vector<HWND> made;
};

// What the hook makes of a window created with this style and size under this parent.
POINT hooked(DWORD style, int width, int height, HWND parent = nullptr) {
    CREATESTRUCTA created{};
    created.style = static_cast<LONG>(style);
    created.cx = width;
    created.cy = height;
    created.x = -7;
    created.y = -7;
    created.hwndParent = parent;
    CBT_CREATEWNDA creation{&created, nullptr};
    centringHook(HCBT_CREATEWND, 0, reinterpret_cast<LPARAM>(&creation));
    return POINT{created.x, created.y};
}

TEST_F(RuntimeWindows, TheHookCentresPopupsOnTheirOwnerOrTheScreenAndKeepsThemOnIt) {
    struct Case {
        const char* name;
        DWORD style;
        RECT owner;  // empty: no owner
        POINT expected;
    };
    const Case cases[] = {
        {"screen", WS_POPUP, {}, {362, 309}},
        {"dialog frame", WS_DLGFRAME, {}, {362, 309}},
        {"owner's centre", WS_POPUP, {100, 100, 500, 400}, {150, 175}},
        {"child left alone", WS_CHILD, {100, 100, 500, 400}, {-7, -7}},
        {"right edge on the work area's", WS_POPUP, {900, 100, 1000, 200}, {1024 - 300, 75}},
        {"top left on the screen", WS_POPUP, {0, 0, 100, 100}, {0, 0}},
        {"above the task bar, not just on the screen", WS_POPUP, {0, 700, 100, 768}, {0, 738 - 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND owner = IsRectEmpty(&c.owner)
                         ? nullptr
                         : popup(c.owner.left, c.owner.top, c.owner.right - c.owner.left, c.owner.bottom - c.owner.top);
        POINT placed = hooked(c.style, 300, 150, owner);
        EXPECT_EQ(placed.x, c.expected.x);
        EXPECT_EQ(placed.y, c.expected.y);
    }
}

TEST_F(RuntimeWindows, AMessageBoxIsCentredAndTheHookIsOnlyThereWhileItIsUp) {
    RECT box{};
    RECT duringBox{};
    testui::headless().addStep([&] {
        HWND shown = testui::topLevel("Centred?");
        ASSERT_NE(shown, nullptr);
        box = rectOf(shown);
        // Any popup made meanwhile is centred too; hidden, so that the box keeps the keyboard.
        duringBox = rectOf(popup(5, 5, 100, 50, 0));
        testui::key(VK_RETURN);
    });
    messageBox(nullptr, "A text", "Centred?", 0);
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    ASSERT_GT(width, 0);
    EXPECT_EQ(box.left, (1024 - width) / 2);
    EXPECT_EQ(box.top, (768 - height) / 2);
    EXPECT_EQ(duringBox.left, 462);
    EXPECT_EQ(duringBox.top, 359);

    RECT after = rectOf(popup(5, 5, 100, 50));
    EXPECT_EQ(after.left, 5);
    EXPECT_EQ(after.top, 5);
}

// The icon and button that flags 0 stand for (an exclamation and OK) are checked by the
// scenario tests, which read the editor's message boxes; they also see the form, which has
// no owner, centred on the work area by centreWindow.
// Without waiting only what is queued is taken; waiting, a new message is waited for first.
TEST_F(RuntimeWindows, ProcessMessagesWaitsOnlyWhenAsked) {
    HWND window = popup(0, 0, 10, 10);
    testui::pumpUntilIdle();
    testui::headless().addStep([window] { PostMessageA(window, WM_USER + 3, 0, 0); });
    processMessages(1);
    EXPECT_EQ(testui::headless().stepsLeft(), 1u);

    testmsg::log().clear();
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostMessageA(window, WM_USER + 2, 0, 0);
    processMessages(1);
    EXPECT_TRUE(testmsg::sequenceIs({{window, WM_USER + 1}, {window, WM_USER + 2}}));
    EXPECT_EQ(testui::headless().stepsLeft(), 1u);

    processMessages(0);
    EXPECT_TRUE(testmsg::sequenceIs({{window, WM_USER + 3}}));
    EXPECT_EQ(testui::headless().stepsLeft(), 0u);
}

}  // namespace
