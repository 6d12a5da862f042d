// The queue: posting order, filters, WM_PAINT only when nothing else waits, WM_QUIT,
// waiting with the display, and the characters TranslateMessage makes.
#include "message_recorder.h"

#include "ui_driver.h"

#include <iterator>

using namespace testmsg;

class Queue : public WindowTest {};

// One queue read through filters: posting order, PM_NOREMOVE, a window's filter taking
// its children's messages, a number's filter reaching past others, thread messages, and
// WM_PAINT only once nothing else waits, the parent's first.
TEST_F(Queue, PostedMessagesComeInOrderThroughFiltersAndPaintComesLast) {
    HWND top = topLevel(0, 0, 100, 100, WS_POPUP);
    HWND kid = child(top, 1, 0, 0, 10, 10);
    HWND other = topLevel(0, 0, 10, 10, WS_POPUP);
    HWND shown = topLevel(0, 0, 100, 100);
    HWND shownKid = child(shown, 1, 0, 0, 10, 10);
    pump();
    InvalidateRect(shown, nullptr, TRUE);
    PostMessageA(other, WM_USER + 1, 1, 0);
    PostMessageA(kid, WM_USER + 2, 2, 0);
    PostMessageA(top, WM_USER + 3, 3, 0);
    PostMessageA(nullptr, WM_USER + 4, 4, 0);
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x7777), WM_USER, 0, 0));
    struct Peek {
        HWND filter;
        UINT first, last, flags;
        UINT message;  // 0: nothing
        HWND window;
        WPARAM wParam;
    };
    const Peek peeks[] = {
        {nullptr, 0, 0, PM_NOREMOVE, WM_USER + 1, other, 1},
        {top, 0, 0, PM_REMOVE, WM_USER + 2, kid, 2},
        {nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE, WM_USER + 3, top, 3},
        {top, 0, 0, PM_REMOVE, 0, nullptr, 0},
        {nullptr, 0, 0, PM_REMOVE, WM_USER + 1, other, 1},
        {nullptr, 0, 0, PM_REMOVE, WM_USER + 4, nullptr, 4},
        {nullptr, 0, 0, PM_REMOVE, WM_PAINT, shown, 0},
        {nullptr, 0, 0, PM_REMOVE, WM_PAINT, shownKid, 0},  // invalidated with its parent
        {nullptr, 0, 0, PM_REMOVE, 0, nullptr, 0},          // painting validated both
    };
    for (size_t i = 0; i < std::size(peeks); ++i) {
        SCOPED_TRACE(i);
        const Peek& peek = peeks[i];
        MSG msg{};
        ASSERT_EQ(PeekMessageA(&msg, peek.filter, peek.first, peek.last, peek.flags), peek.message != 0);
        if (!peek.message)
            continue;
        EXPECT_EQ(msg.message, peek.message);
        EXPECT_EQ(msg.hwnd, peek.window);
        EXPECT_EQ(msg.wParam, peek.wParam);
        DispatchMessageA(&msg);
    }

    // GetMessage ends with WM_QUIT, after what was posted before it.
    PostMessageA(top, WM_USER, 0, 0);
    PostQuitMessage(7);
    MSG msg;
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
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
