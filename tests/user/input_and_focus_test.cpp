// Mouse and keyboard input routing, double clicks, the close box, caption drags,
// disabled windows, focus, activation and capture.
#include "message_recorder.h"

#include "ui_driver.h"

#include <memory>

using namespace testmsg;

namespace user {
int beepCount();
}

class MouseInput : public WindowTest {};

TEST_F(MouseInput, ClicksGoToTheDeepestEnabledChildInItsClientCoordinates) {
    HWND top = topLevel(100, 100, 300, 200);
    HWND kid = child(top, 1, 10, 10, 150, 100, WS_CHILD | WS_VISIBLE | WS_BORDER);
    HWND grandchild = child(kid, 2, 20, 20, 40, 40);
    pump();
    log().clear();
    display->click(100 + 10 + 1 + 20 + 3, 100 + 10 + 1 + 20 + 4);
    pump();
    EXPECT_EQ(lParams(grandchild, WM_LBUTTONDOWN), std::vector<LPARAM>{MAKELPARAM(3, 4)});
    EXPECT_EQ(wParams(grandchild, WM_LBUTTONDOWN), std::vector<WPARAM>{MK_LBUTTON});
    EXPECT_EQ(wParams(grandchild, WM_LBUTTONUP), std::vector<WPARAM>{0});
    EXPECT_TRUE(received(kid, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(display->cursor(), display::Cursor::Arrow);

    // A child's own cursor shows over it although its parent is asked first.
    child(top, 3, 200, 10, 50, 50, WS_CHILD | WS_VISIBLE,
          registerOnce("TextCursorChild", DefWindowProcA, 0, IDC_IBEAM));
    display->mouseMove(100 + 220, 100 + 30);
    pump();
    EXPECT_EQ(display->cursor(), display::Cursor::IBeam);
    EXPECT_EQ(received(top, WM_SETCURSOR).back().wParam, reinterpret_cast<WPARAM>(GetDlgItem(top, 3)));

    EnableWindow(grandchild, FALSE);
    log().clear();
    display->click(100 + 10 + 1 + 20 + 3, 100 + 10 + 1 + 20 + 4);
    pump();
    EXPECT_TRUE(received(grandchild, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(lParams(kid, WM_LBUTTONDOWN), std::vector<LPARAM>{MAKELPARAM(23, 24)});

    log().clear();
    display->click(100 + 5, 100 + 5);    // top-level's own client area
    display->click(100 + 10, 100 + 10);  // the child's border: its non-client area
    pump();
    EXPECT_EQ(received(top, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(wParams(kid, WM_NCLBUTTONDOWN), std::vector<WPARAM>{HTBORDER});
    EXPECT_EQ(lParams(kid, WM_NCLBUTTONDOWN), std::vector<LPARAM>{MAKELPARAM(110, 110)});  // screen coordinates
}

namespace {
LRESULT CALLBACK transparentProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    log().push_back(Received{w, m, wp, lp});
    return m == WM_NCHITTEST ? HTTRANSPARENT : DefWindowProcA(w, m, wp, lp);
}
}  // namespace

TEST_F(MouseInput, TransparentWindowsLetThePointThroughToTheWindowsBelow) {
    HWND top = topLevel(100, 100, 300, 200);
    HWND frame = child(top, 1, 10, 10, 200, 150, WS_CHILD | WS_VISIBLE,  // topmost
                       registerOnce("TransparentFrame", transparentProcedure));
    HWND inside = child(top, 2, 20, 20, 50, 50);
    pump();
    log().clear();
    display->click(100 + 25, 100 + 25);    // the frame and the window below it
    display->click(100 + 150, 100 + 100);  // the frame alone: the parent takes it
    pump();
    EXPECT_FALSE(received(frame, WM_NCHITTEST).empty());
    EXPECT_TRUE(received(frame, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(lParams(inside, WM_LBUTTONDOWN), std::vector<LPARAM>{MAKELPARAM(5, 5)});
    EXPECT_EQ(lParams(top, WM_LBUTTONDOWN), std::vector<LPARAM>{MAKELPARAM(150, 100)});
}

TEST_F(MouseInput, DoubleClicksOnlyForClassesThatAskAndWithinTheTime) {
    HWND plain = topLevel(0, 0, 100, 100);
    HWND dbl = topLevel(200, 0, 100, 100, WS_POPUP | WS_VISIBLE, "", 0, doubleClickRecorderClass());
    pump();
    log().clear();
    testui::doubleClick(plain);
    testui::doubleClick(dbl);
    pump();
    EXPECT_EQ(received(plain, WM_LBUTTONDOWN).size(), 2u);
    EXPECT_TRUE(received(plain, WM_LBUTTONDBLCLK).empty());
    EXPECT_EQ(received(dbl, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(received(dbl, WM_LBUTTONDBLCLK).size(), 1u);

    log().clear();
    display->advanceClock(1000);
    display->click(250, 50);
    display->advanceClock(501);
    display->click(250, 50);
    display->advanceClock(10);
    display->click(260, 50);  // too far from the previous press
    pump();
    EXPECT_EQ(received(dbl, WM_LBUTTONDOWN).size(), 3u);
}

TEST_F(MouseInput, CaptureTakesAllMouseInputUntilReleased) {
    HWND top = topLevel(100, 100, 300, 200);
    HWND a = child(top, 1, 0, 0, 50, 50);
    HWND b = child(top, 2, 100, 0, 50, 50);
    pump();
    EXPECT_EQ(SetCapture(a), nullptr);
    log().clear();
    display->mouseMove(100 + 120, 100 + 10);  // over b
    pump();
    EXPECT_TRUE(received(b, WM_MOUSEMOVE).empty());
    display->mouseMove(50, 60);  // outside every window
    pump();
    EXPECT_EQ(lParams(a, WM_MOUSEMOVE), (std::vector<LPARAM>{MAKELPARAM(120, 10), MAKELPARAM(-50, -40)}));

    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(lParams(a, WM_CAPTURECHANGED), std::vector<LPARAM>{reinterpret_cast<LPARAM>(b)});
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(received(b, WM_CAPTURECHANGED).size(), 1u);
}

TEST_F(MouseInput, ADisabledTopLevelWindowTakesNoInput) {
    HWND owner = topLevel(100, 100, 300, 200);
    HWND kid = child(owner, 1, 10, 10, 50, 50);
    SetFocus(kid);
    EXPECT_FALSE(EnableWindow(owner, FALSE));
    pump();
    log().clear();
    int beeps = user::beepCount();
    display->click(100 + 20, 100 + 20);
    display->key('A');
    display->type("a");
    display->requestClose(display->surfaceAt(150, 150));
    pump();
    EXPECT_TRUE(sequenceIs({}));
    EXPECT_GT(user::beepCount(), beeps);

    // Reaching for the disabled window brings forward the window it waits for.
    HWND modal = CreateWindowExA(0, recorderClass(), "", WS_POPUP | WS_VISIBLE, 500, 500, 50, 50, owner, nullptr,
                                 nullptr, nullptr);
    HWND other = topLevel(700, 500, 50, 50);
    EXPECT_EQ(GetActiveWindow(), other);
    display->click(100 + 20, 100 + 20);
    pump();
    EXPECT_EQ(GetActiveWindow(), modal);
    EXPECT_TRUE(received(owner, WM_LBUTTONDOWN).empty());
    // A close request for the waiting window (a window manager's Alt+F4) closes nothing
    // and leaves the keyboard with the window it waits for.
    SetActiveWindow(other);
    display->requestClose(display->surfaceAt(150, 150));
    pump();
    EXPECT_EQ(GetActiveWindow(), modal);
    EXPECT_EQ(display->keyboardFocus(), display->surfaceAt(510, 510));
    EXPECT_TRUE(received(owner, WM_CLOSE).empty());
    EXPECT_TRUE(received(modal, WM_CLOSE).empty());
    DestroyWindow(modal);

    EXPECT_TRUE(EnableWindow(owner, TRUE));
    display->click(100 + 20, 100 + 20);
    pump();
    EXPECT_EQ(received(kid, WM_LBUTTONDOWN).size(), 1u);
}

class NonClientInput : public WindowTest {};

TEST_F(NonClientInput, CloseBoxClickSendsCloseOnlyWhenReleasedOnIt) {
    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    HWND w = topLevel(100, 100, 300, 150, style, "Closable", WS_EX_DLGMODALFRAME);
    pump();
    log().clear();
    int closeX = 100 + 300 - 3 - 2 - 8, closeY = 100 + 3 + 2 + 7;
    display->mouseDown(closeX, closeY);
    display->mouseMove(closeX - 40, closeY);  // slide off: released elsewhere does nothing
    display->mouseUp(closeX - 40, closeY);
    pump();
    EXPECT_TRUE(sequenceIs({{w, WM_NCLBUTTONDOWN, kWParam, HTCLOSE}}));
    display->click(closeX, closeY);
    pump();
    EXPECT_TRUE(sequenceIs({{w, WM_NCLBUTTONDOWN, kWParam, HTCLOSE},
                            {w, WM_SYSCOMMAND, kWParam, SC_CLOSE},
                            {w, WM_CLOSE},
                            {w, WM_NCACTIVATE},
                            {w, WM_ACTIVATE},
                            {w, WM_ACTIVATEAPP},
                            {w, WM_KILLFOCUS},
                            {w, WM_DESTROY},
                            {w, WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(w));  // left to the default: closed
}

TEST_F(NonClientInput, DraggingTheCaptionMovesTheWindowAndItsSurface) {
    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    HWND w = topLevel(100, 100, 300, 150, style, "Drag me", WS_EX_DLGMODALFRAME);
    pump();
    display->mouseDown(150, 110);
    display->mouseMove(170, 140);
    display->mouseMove(200, 160);
    display->mouseUp(200, 160);
    pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right, 450);
    auto moves = received(w, WM_MOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().lParam, MAKELPARAM(153, 172));
    display::SurfaceId surface = display->surfaceAt(300, 200);
    ASSERT_NE(surface, 0u);
    EXPECT_EQ(display->surface(surface)->rect.left, 150);
    EXPECT_TRUE(received(w, WM_LBUTTONUP).empty());
}

class Focus : public WindowTest {};

TEST_F(Focus, ClickActivatesAndFocusMessagesNameTheOtherWindow) {
    HWND a = topLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CAPTION, "A");
    HWND b = topLevel(200, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CAPTION, "B");
    HWND bChild = child(b, 1, 0, 0, 20, 20);
    SetActiveWindow(a);
    EXPECT_EQ(GetFocus(), a);
    pump();
    log().clear();
    {
        CbtRecorder hook;
        display->click(250, 50);
        pump();
    }
    auto w = [](HWND h) { return reinterpret_cast<WPARAM>(h); };
    auto l = [](HWND h) { return reinterpret_cast<LPARAM>(h); };
    // Activated by the mouse (client 203, 22 on screen), each side naming the other.
    EXPECT_TRUE(sequenceIs({{b, kCbtActivate, kParams, TRUE, l(a)},
                            {a, WM_NCACTIVATE, kParams, FALSE, l(b)},
                            {a, WM_ACTIVATE, kParams, WA_INACTIVE, l(b)},
                            {b, WM_NCACTIVATE, kParams, TRUE, l(a)},
                            {b, WM_ACTIVATE, kParams, WA_CLICKACTIVE, l(a)},
                            {b, kCbtSetFocus, kParams, 0, l(a)},
                            {a, WM_KILLFOCUS, kParams, w(b), 0},
                            {b, WM_SETFOCUS, kParams, w(a), 0},
                            {b, WM_LBUTTONDOWN, kParams, MK_LBUTTON, MAKELPARAM(47, 28)},
                            {b, WM_LBUTTONUP}}));
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(testui::screenPixel(4, 10), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(testui::screenPixel(203, 10), GetSysColor(COLOR_ACTIVECAPTION));

    EXPECT_EQ(SetFocus(bChild), b);
    EXPECT_EQ(SetFocus(bChild), bChild);  // no change, no message
    EXPECT_TRUE(sequenceIs({{b, WM_KILLFOCUS, kParams, w(bChild), 0}, {bChild, WM_SETFOCUS, kParams, w(b), 0}}));
}

TEST_F(Focus, HidingOrDestroyingTheActiveWindowActivatesItsOwner) {
    HWND owner = topLevel(0, 0, 300, 300, WS_POPUP | WS_VISIBLE | WS_CAPTION, "Owner");
    HWND popup = CreateWindowExA(0, recorderClass(), "Popup", WS_POPUP | WS_VISIBLE | WS_CAPTION, 50, 50, 100, 100,
                                 owner, nullptr, nullptr, nullptr);
    HWND popupChild = child(popup, 1, 0, 0, 10, 10);
    display::SurfaceId ownerSurface = display->surfaceAt(10, 10), popupSurface = display->surfaceAt(60, 60);
    SetFocus(popupChild);
    EXPECT_EQ(GetActiveWindow(), popup);
    // The desktop's keyboard goes with the activation each time, also when the window
    // that had it went off screen (a desktop then leaves it with nobody).
    EXPECT_EQ(display->keyboardFocus(), popupSurface);
    ShowWindow(popup, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    EXPECT_EQ(display->keyboardFocus(), ownerSurface);
    EXPECT_EQ(display->surface(popupSurface), nullptr);  // a hidden window holds no surface
    ShowWindow(popup, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), popup);
    popupSurface = display->surfaceAt(60, 60);
    EXPECT_NE(popupSurface, ownerSurface);
    EXPECT_EQ(display->keyboardFocus(), popupSurface);
    SetFocus(popupChild);
    log().clear();
    DestroyWindow(popup);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    EXPECT_EQ(display->keyboardFocus(), ownerSurface);
    // The popup gave up the activation, and its control the focus, while they still existed.
    EXPECT_TRUE(sequenceIs({{popup, WM_NCACTIVATE},
                            {popup, WM_ACTIVATE},
                            {owner, WM_NCACTIVATE},
                            {owner, WM_ACTIVATE},
                            {popupChild, WM_KILLFOCUS},
                            {owner, WM_SETFOCUS},
                            {popup, WM_DESTROY},
                            {popupChild, WM_DESTROY},
                            {popupChild, WM_NCDESTROY},
                            {popup, WM_NCDESTROY}}));
    DestroyWindow(owner);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

// As measured on Win32: the CBT hook hears of an activation and of a focus change before
// either happens; the program's window hears WM_ACTIVATEAPP when it becomes the first
// active one and when it stops being the last.
TEST_F(Focus, HooksAndTheProgramsWindowsHearOfActivation) {
    CbtRecorder hook;
    HWND a = topLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CAPTION);
    auto l = [](HWND w) { return reinterpret_cast<LPARAM>(w); };
    EXPECT_TRUE(sequenceIs({{a, WM_NCCREATE},
                            {a, WM_CREATE},
                            {a, WM_SIZE},
                            {a, WM_MOVE},
                            {a, WM_SHOWWINDOW},
                            {a, WM_WINDOWPOSCHANGING},
                            {a, kCbtActivate, kParams, FALSE, 0},
                            {a, WM_ACTIVATEAPP, kParams, TRUE, 0},
                            {a, WM_NCACTIVATE, kParams, TRUE, 0},
                            {a, WM_ACTIVATE, kParams, WA_ACTIVE, 0},
                            {a, kCbtSetFocus, kParams, 0, 0},
                            {a, WM_SETFOCUS, kParams, 0, 0},
                            {a, WM_WINDOWPOSCHANGED}}));
    HWND kid = child(a, 1, 0, 0, 20, 20);

    // Disabling the focus window takes the focus away (a control inside would keep it).
    EnableWindow(a, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EnableWindow(a, TRUE);
    SetFocus(kid);
    log().clear();
    DestroyWindow(a);
    EXPECT_TRUE(sequenceIs({{nullptr, kCbtActivate, kParams, FALSE, l(a)},
                            {a, WM_NCACTIVATE, kParams, FALSE, 0},
                            {a, WM_ACTIVATE, kParams, WA_INACTIVE, 0},
                            {a, WM_ACTIVATEAPP, kParams, FALSE, 0},
                            {kid, WM_KILLFOCUS, kParams, 0, 0},
                            {a, WM_DESTROY},
                            {kid, WM_DESTROY},
                            {kid, WM_NCDESTROY},
                            {a, WM_NCDESTROY}}));
}

namespace {
// A headless display that keeps the hit tester, as a display that moves windows itself would.
class HitTestingDisplay : public display::HeadlessBackend {
public:
    void setHitTester(display::HitTester tester) override { hitTester = std::move(tester); }
    display::HitTester hitTester;
};
}  // namespace

TEST_F(NonClientInput, TheDisplayLearnsWhereCaptionsAreForMovingWindowsItself) {
    auto owned = std::make_unique<HitTestingDisplay>();
    HitTestingDisplay& hitDisplay = *owned;
    display::setBackend(std::move(owned));
    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    topLevel(100, 100, 300, 150, style, "Movable", WS_EX_DLGMODALFRAME);
    ASSERT_TRUE(hitDisplay.hitTester);
    display::SurfaceId id = hitDisplay.surfaceAt(150, 150);
    EXPECT_EQ(hitDisplay.hitTester(id, 50, 10), display::HitArea::Caption);
    EXPECT_EQ(hitDisplay.hitTester(id, 50, 60), display::HitArea::Client);
    EXPECT_EQ(hitDisplay.hitTester(id, 300 - 3 - 2 - 8, 10), display::HitArea::Client);  // the close box
}
