// The message pump, the centring hook of message boxes and window centring, on the
// headless display (1024 x 768, work area 0, 0, 1024, 738).
#include "messages.h"

#include "ui_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<UINT> received;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) received.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

class RuntimeWindows : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        received.clear();
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.lpszClassName = "RuntimeWindowTest";
        RegisterClassExA(&windowClass);
    }
    void TearDown() override {
        for (HWND window : made) DestroyWindow(window);
    }

    HWND popup(int x, int y, int width, int height, DWORD style = WS_VISIBLE, HWND owner = nullptr) {
        HWND window = CreateWindowExA(0, "RuntimeWindowTest", "popup", WS_POPUP | style, x, y, width, height,
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

TEST_F(RuntimeWindows, TheHookCentresPopupsOnTheirOwnerOrTheScreen) {
    POINT box = hooked(WS_POPUP, 300, 150);
    EXPECT_EQ(box.x, 362);
    EXPECT_EQ(box.y, 309);
    POINT framed = hooked(WS_DLGFRAME, 300, 150);
    EXPECT_EQ(framed.x, 362);

    HWND owner = popup(100, 100, 400, 300);  // centre 300, 250
    POINT owned = hooked(WS_POPUP, 200, 100, owner);
    EXPECT_EQ(owned.x, 200);
    EXPECT_EQ(owned.y, 200);

    POINT child = hooked(WS_CHILD, 300, 150, owner);
    EXPECT_EQ(child.x, -7);  // left alone
    EXPECT_EQ(child.y, -7);
}

TEST_F(RuntimeWindows, TheHookKeepsBoxesOnTheScreen) {
    HWND right = popup(900, 100, 100, 100);
    POINT pushedLeft = hooked(WS_POPUP, 300, 150, right);
    EXPECT_EQ(pushedLeft.x, 1024 - 300);  // right edge on the work area's right edge
    EXPECT_EQ(pushedLeft.y, 75);

    HWND corner = popup(0, 0, 100, 100);
    POINT clamped = hooked(WS_POPUP, 300, 150, corner);
    EXPECT_EQ(clamped.x, 0);
    EXPECT_EQ(clamped.y, 0);

    HWND low = popup(0, 700, 100, 68);
    POINT raised = hooked(WS_POPUP, 300, 150, low);
    EXPECT_EQ(raised.y, 738 - 150);  // above the task bar, not just on the screen
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

struct BoxLook {
    int yellow = 0;  // pixels of the exclamation icon's fill
    int red = 0;     // pixels of the stop icon's fill
    std::vector<std::string> buttons;
};

BOOL CALLBACK collectButton(HWND child, LPARAM lParam) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "BUTTON") == 0)
        reinterpret_cast<BoxLook*>(lParam)->buttons.push_back(testui::windowText(child));
    return TRUE;
}

BoxLook lookOfBox(const char* caption, uint32_t flags) {
    BoxLook look;
    testui::headless().addStep([&look, caption] {
        HWND box = testui::topLevel(caption);
        ASSERT_NE(box, nullptr);
        RECT r{};
        GetWindowRect(box, &r);
        display::Pixels shot = testui::headless().screenshot();
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                uint32_t pixel = shot.at(x, y) & 0xFFFFFF;
                look.yellow += pixel == 0xFFFF00;
                look.red += pixel == 0xFF0000;
            }
        EnumChildWindows(box, collectButton, reinterpret_cast<LPARAM>(&look));
        testui::key(VK_RETURN);
    });
    messageBox(nullptr, "Something happened", caption, flags);
    return look;
}

TEST_F(RuntimeWindows, MessageBoxFlagsZeroMeanAnExclamationAndOk) {
    BoxLook plain = lookOfBox("Flags 0", 0);
    EXPECT_GT(plain.yellow, 100);
    EXPECT_EQ(plain.red, 0);
    EXPECT_EQ(plain.buttons, (std::vector<std::string>{"OK"}));

    BoxLook stop = lookOfBox("Flags 0x10", MB_ICONSTOP);
    EXPECT_GT(stop.red, 100);
    EXPECT_EQ(stop.yellow, 0);
    EXPECT_EQ(stop.buttons, (std::vector<std::string>{"OK"}));
}

TEST_F(RuntimeWindows, CentreWindowUsesAUsableOwnerElseTheWorkArea) {
    DialogObject alone;
    alone.window = popup(0, 0, 400, 300);
    centreWindow(alone);
    EXPECT_EQ(rectOf(alone.window).left, 312);
    EXPECT_EQ(rectOf(alone.window).top, 219);

    HWND owner = popup(100, 100, 400, 300);
    DialogObject owned;
    owned.window = popup(0, 0, 200, 100, WS_VISIBLE, owner);
    centreWindow(owned);
    EXPECT_EQ(rectOf(owned.window).left, 200);
    EXPECT_EQ(rectOf(owned.window).top, 200);
    EXPECT_EQ(rectOf(owned.window).right, 400);  // the size stays

    HWND corner = popup(900, 600, 100, 100);
    DialogObject kept;
    kept.window = popup(0, 0, 400, 300, WS_VISIBLE, corner);
    centreWindow(kept);
    EXPECT_EQ(rectOf(kept.window).left, 1024 - 400);
    EXPECT_EQ(rectOf(kept.window).top, 738 - 300);

    HWND minimised = popup(600, 400, 200, 100, WS_VISIBLE | WS_MINIMIZE);
    DialogObject ofMinimised;
    ofMinimised.window = popup(0, 0, 400, 300, WS_VISIBLE, minimised);
    centreWindow(ofMinimised);
    EXPECT_EQ(rectOf(ofMinimised.window).left, 312);
    EXPECT_EQ(rectOf(ofMinimised.window).top, 219);

    DialogObject notShown;
    centreWindow(notShown);  // nothing to move
}

TEST_F(RuntimeWindows, ProcessMessagesWithoutWaitingTakesOnlyWhatIsQueued) {
    HWND window = popup(0, 0, 10, 10);
    testui::pumpUntilIdle();
    bool waited = false;
    testui::headless().addStep([&] { waited = true; });
    processMessages(1);
    EXPECT_FALSE(waited);
    EXPECT_EQ(testui::headless().stepsLeft(), 1u);

    PostMessageA(window, WM_USER + 1, 0, 0);
    PostMessageA(window, WM_USER + 2, 0, 0);
    processMessages(1);
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_FALSE(waited);
}

TEST_F(RuntimeWindows, ProcessMessagesWaitsForANewMessageFirst) {
    HWND window = popup(0, 0, 10, 10);
    testui::pumpUntilIdle();
    testui::headless().addStep([window] { PostMessageA(window, WM_USER + 3, 0, 0); });
    processMessages(0);
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 3}));
    EXPECT_EQ(testui::headless().stepsLeft(), 0u);
}

}  // namespace
