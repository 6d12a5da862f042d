// Painting and the non-client area: order, clipping, erasing, the frame and caption the
// layer draws, and what reaches the display.
#include "window_recorder.h"

#include "ui_driver.h"

#include <cstdlib>
#include <string>

using namespace wmtest;

class Painting : public WindowTest {};

TEST_F(Painting, ParentsPaintBeforeChildrenAndEachChildOnlyInsideItself) {
    HWND top = topLevel(100, 100, 200, 200);
    HWND kid = child(top, 1, 20, 20, 50, 50);
    HWND grandchild = child(kid, 2, 10, 10, 100, 100);  // reaches past its parent
    SetWindowLongPtrA(top, GWLP_USERDATA, RGB(0, 255, 0));
    SetWindowLongPtrA(kid, GWLP_USERDATA, RGB(255, 0, 0));
    SetWindowLongPtrA(grandchild, GWLP_USERDATA, RGB(0, 0, 255));
    pump();
    EXPECT_LT(firstIndex(top, WM_PAINT), firstIndex(kid, WM_PAINT));
    EXPECT_LT(firstIndex(kid, WM_PAINT), firstIndex(grandchild, WM_PAINT));
    EXPECT_EQ(screenPixel(105, 105), RGB(0, 255, 0));
    EXPECT_EQ(screenPixel(125, 125), RGB(255, 0, 0));
    EXPECT_EQ(screenPixel(135, 135), RGB(0, 0, 255));
    EXPECT_EQ(screenPixel(169, 169), RGB(0, 0, 255));
    EXPECT_EQ(screenPixel(171, 171), RGB(0, 255, 0));  // outside the parent: clipped away
    EXPECT_EQ(screenPixel(135, 175), RGB(0, 255, 0));
}

TEST_F(Painting, WithClipChildrenAParentRepaintLeavesItsChildrenAlone) {
    HWND top = topLevel(100, 100, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND kid = child(top, 1, 20, 20, 50, 50);
    SetWindowLongPtrA(top, GWLP_USERDATA, RGB(0, 255, 0));
    SetWindowLongPtrA(kid, GWLP_USERDATA, RGB(255, 0, 0));
    pump();
    log().clear();
    SetWindowLongPtrA(top, GWLP_USERDATA, RGB(255, 255, 0));
    InvalidateRect(top, nullptr, TRUE);
    pump();
    EXPECT_EQ(received(kid, WM_PAINT).size(), 0u);
    EXPECT_EQ(screenPixel(105, 105), RGB(255, 255, 0));
    EXPECT_EQ(screenPixel(130, 130), RGB(255, 0, 0));
}

TEST_F(Painting, EraseUsesTheClassBrushAndBeginPaintReportsTheUpdateArea) {
    HWND w = topLevel(0, 0, 100, 100);
    pump();
    EXPECT_EQ(screenPixel(50, 50), GetSysColor(COLOR_WINDOW));  // COLOR_WINDOW + 1 as class brush
    RECT part{10, 10, 20, 30};
    InvalidateRect(w, &part, FALSE);
    EXPECT_TRUE(ValidateRect(w, nullptr));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    InvalidateRect(w, &part, FALSE);
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    EXPECT_TRUE(EqualRect(&ps.rcPaint, &part));
    EXPECT_FALSE(ps.fErase);
    EndPaint(w, &ps);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Painting, RedrawWindowInvalidatesChildrenOnRequestAndPaintsNowWhenAsked) {
    HWND top = topLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND kid = child(top, 1, 10, 10, 50, 50);
    pump();
    log().clear();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    pump();
    EXPECT_EQ(received(top, WM_PAINT).size(), 1u);
    EXPECT_TRUE(received(kid, WM_PAINT).empty());
    log().clear();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(received(top, WM_PAINT).size(), 1u);  // painted before any message loop ran
    EXPECT_EQ(received(kid, WM_PAINT).size(), 1u);
    EXPECT_TRUE(received(top, WM_ERASEBKGND).empty());  // no RDW_ERASE: nothing to erase
}

TEST_F(Painting, GetDCDrawsIntoTheClientAreaOnly) {
    HWND w = topLevel(100, 100, 100, 100, WS_POPUP | WS_VISIBLE | WS_BORDER);
    pump();
    HDC dc = GetDC(w);
    RECT everything{-50, -50, 500, 500};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &everything, red);
    DeleteObject(red);
    ReleaseDC(w, dc);
    EXPECT_EQ(screenPixel(101, 101), RGB(255, 0, 0));
    EXPECT_EQ(screenPixel(100, 100), RGB(0, 0, 0));  // the border stays
    EXPECT_EQ(screenPixel(99, 99), RGB(0, 0x80, 0x80));  // the desktop
}

class NonClient : public WindowTest {};

TEST_F(NonClient, CaptionedDialogFrameHasClassicMetrics) {
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 18);
    EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.bottom, 738);

    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    HWND w = topLevel(0, 7, 801, 465, style, "Add words", WS_EX_DLGMODALFRAME);
    RECT client, window;
    GetClientRect(w, &client);
    GetWindowRect(w, &window);
    EXPECT_EQ(client.right, 795);
    EXPECT_EQ(client.bottom, 440);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(origin.x - window.left, 3);
    EXPECT_EQ(origin.y - window.top, 22);

    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, recorderClass(), "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, w,
                                nullptr, nullptr, nullptr);
    GetClientRect(edit, &client);
    EXPECT_EQ(client.right, 96);
    EXPECT_EQ(client.bottom, 16);
}

TEST_F(NonClient, CaptionIsDrawnInActiveColoursWithTitleAndCloseBox) {
    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    HWND w = topLevel(100, 100, 300, 150, style, "Caption", WS_EX_DLGMODALFRAME);
    HWND other = topLevel(600, 100, 100, 100, style, "Other", WS_EX_DLGMODALFRAME);
    SetActiveWindow(w);
    pump();
    EXPECT_EQ(screenPixel(104, 110), GetSysColor(COLOR_ACTIVECAPTION));  // left end of the gradient
    EXPECT_EQ(screenPixel(604, 110), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(screenPixel(100, 200), GetSysColor(COLOR_3DLIGHT));  // outer line of the raised frame
    EXPECT_EQ(screenPixel(110, 121), GetSysColor(COLOR_3DFACE));  // the line below the caption
    // White title text somewhere in the caption's left part.
    bool white = false;
    for (int x = 106; x < 160 && !white; ++x)
        for (int y = 105; y < 119 && !white; ++y) white = screenPixel(x, y) == RGB(255, 255, 255);
    EXPECT_TRUE(white);
    // The close box is a button face in the caption's right end.
    EXPECT_EQ(screenPixel(100 + 300 - 3 - 2 - 14, 100 + 3 + 2 + 1), GetSysColor(COLOR_3DFACE));
    SetActiveWindow(other);
    pump();
    EXPECT_EQ(screenPixel(104, 110), GetSysColor(COLOR_INACTIVECAPTION));

    const char* dir = std::getenv("WM_SCREENSHOT_DIR");
    if (dir) {
        child(w, 1, 10, 10, 100, 30, WS_CHILD | WS_VISIBLE | WS_BORDER);
        CreateWindowExA(WS_EX_CLIENTEDGE, recorderClass(), "", WS_CHILD | WS_VISIBLE, 10, 50, 200, 24, w, nullptr,
                        nullptr, nullptr);
        SetActiveWindow(w);
        pump();
        display::writePng(std::string(dir) + "/captioned_window.png", testui::headless().screenshot());
    }
}
