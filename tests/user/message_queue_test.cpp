// The queue: posting order, filters, WM_PAINT only when nothing else waits, WM_QUIT,
// waiting with the display, and the characters TranslateMessage makes.
#include "message_recorder.h"

#include "ui_driver.h"

using namespace testmsg;

class Queue : public WindowTest {};

TEST_F(Queue, PostedMessagesComeInOrderAndNoRemoveLeavesThemQueued) {
    HWND w = topLevel(0, 0, 10, 10, WS_POPUP);
    PostMessageA(w, WM_USER + 1, 1, 0);
    PostMessageA(w, WM_USER + 2, 2, 0);
    PostMessageA(nullptr, WM_USER + 3, 3, 0);  // a thread message
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(msg.hwnd, w);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x7777), WM_USER, 0, 0));
}

TEST_F(Queue, FiltersSelectByNumberAndByWindowIncludingChildren) {
    HWND top = topLevel(0, 0, 100, 100, WS_POPUP);
    HWND kid = child(top, 1, 0, 0, 10, 10);
    HWND other = topLevel(0, 0, 10, 10, WS_POPUP);
    PostMessageA(other, WM_USER + 1, 0, 0);
    PostMessageA(kid, WM_USER + 2, 0, 0);
    PostMessageA(top, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, top, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, kid);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, top);
    EXPECT_FALSE(PeekMessageA(&msg, top, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, other);
}

TEST_F(Queue, PaintComesOnlyWhenNothingElseIsQueuedAndParentsFirst) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND kid = child(top, 1, 0, 0, 10, 10);
    pump();
    InvalidateRect(top, nullptr, TRUE);
    PostMessageA(top, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, top);
    DispatchMessageA(&msg);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, kid);  // the child's area was invalidated with its parent's
    DispatchMessageA(&msg);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // painting validated both
}

TEST_F(Queue, AHiddenWindowIsNotPaintedAndUpdateWindowPaintsAtOnce) {
    HWND w = topLevel(0, 0, 100, 100, WS_POPUP);
    InvalidateRect(w, nullptr, TRUE);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    ShowWindow(w, SW_SHOWNA);
    log().clear();
    UpdateWindow(w);
    EXPECT_EQ(received(w, WM_PAINT).size(), 1u);
    EXPECT_EQ(received(w, WM_ERASEBKGND).size(), 1u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, QuitEndsGetMessageAfterThePostedMessages) {
    HWND w = topLevel(0, 0, 10, 10, WS_POPUP);
    PostMessageA(w, WM_USER, 0, 0);
    PostQuitMessage(7);
    MSG msg;
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, WaitMessagePaintsAndPresentsBeforeTheDisplayRunsTheNextStep) {
    HWND w = topLevel(10, 10, 100, 100);
    SetWindowLongPtrA(w, GWLP_USERDATA, RGB(0, 0, 255));
    bool painted = false;
    COLORREF seen = 0;
    display->addStep([&] {
        painted = !received(w, WM_PAINT).empty();
        uint32_t p = display->screenshot().at(50, 50);
        seen = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        PostMessageA(w, WM_USER + 9, 0, 0);
    });
    EXPECT_TRUE(WaitMessage());
    EXPECT_TRUE(painted);
    EXPECT_EQ(seen, RGB(0, 0, 255));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 9));
    EXPECT_EQ(display->stepsLeft(), 0u);
}

TEST_F(Queue, TranslateMakesControlCharactersAndTypedTextArrivesAsCharacters) {
    HWND w = topLevel(10, 10, 100, 100);
    ASSERT_EQ(GetFocus(), w);
    pump();
    log().clear();
    display->key(VK_RETURN);
    display->key('A', display::ModControl);
    display->key('B');
    display->key(VK_TAB);
    display->type("x\xE9");
    pump();
    EXPECT_EQ(wParams(w, WM_CHAR), (std::vector<WPARAM>{13, 1, 9, 'x', 0xE9}));
    EXPECT_EQ(received(w, WM_KEYDOWN).size(), 5u);  // Return, Control, A, B, Tab
    EXPECT_LT(firstIndex(w, WM_KEYDOWN), firstIndex(w, WM_CHAR));
    EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000);
}

TEST_F(Queue, KeyStateFollowsTheKeysAsTheyAreRead) {
    topLevel(10, 10, 100, 100);
    display->keyDown(VK_SHIFT, display::ModShift);
    pump();
    EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    display->keyUp(VK_SHIFT);
    pump();
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}
