// The queue: posting order, WM_PAINT only when nothing else waits, waiting with the
// display, and the characters TranslateMessage makes.
#include "message_recorder.h"

#include "ui_driver.h"

#include <utility>

using namespace testmsg;

class Queue : public WindowTest {};

// Posted messages come in the order they were posted, and WM_PAINT only once nothing else
// waits, the parent's first.
TEST_F(Queue, PostedMessagesComeInOrderAndPaintComesLast) {
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
    const std::pair<UINT, HWND> expected[] = {
        {WM_USER + 1, other}, {WM_USER + 2, kid},   {WM_USER + 3, top},
        {WM_PAINT, shown},    {WM_PAINT, shownKid},  // invalidated with its parent
    };
    for (auto [message, window] : expected) {
        SCOPED_TRACE(message);
        MSG msg{};
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.message, message);
        EXPECT_EQ(msg.hwnd, window);
        DispatchMessageA(&msg);
    }
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "painting validated both";
}

// The tests' sequences are compared whole: one message more, one less or out of order
// fails; only an optional entry may be missing.
TEST_F(Queue, SequencesAreComparedWhole) {
    HWND w = topLevel(0, 0, 10, 10, WS_POPUP);
    const std::pair<std::vector<UINT>, bool> cases[] = {
        {{1, 3}, true}, {{1, 2, 3}, true}, {{1}, false}, {{1, 3, 4}, false}, {{3, 1}, false}, {{1, 2, 2, 3}, false},
    };
    log().clear();
    for (const auto& [sent, matches] : cases) {
        for (UINT n : sent) SendMessageA(w, WM_USER + n, 0, 0);
        EXPECT_EQ(bool(sequenceIs({{w, WM_USER + 1}, {w, WM_USER + 2, kOptional}, {w, WM_USER + 3}})), matches);
    }
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
    display->keyUp(VK_SHIFT);
    pump();
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}
