// Painting: order, clipping, erasing, a child's frame, and what reaches the display. The
// caption and frame of a dialog are compared with a picture of the editor's form by the
// scenario tests; the inactive caption is checked where a click moves the activation.
#include "message_recorder.h"
#include "ui_driver.h"

#include <functional>
#include <utility>
#include <vector>

using namespace testmsg;
using testui::screenPixel;

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
    // A child's frame is drawn after its parent has painted over the child's place.
    HWND sunken = CreateWindowExA(WS_EX_CLIENTEDGE, recorderClass(), "", WS_CHILD | WS_VISIBLE, 100, 20, 60, 30, top,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(sunken, nullptr);
    InvalidateRect(top, nullptr, TRUE);
    EXPECT_EQ(screenPixel(200, 130), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(screenPixel(201, 130), GetSysColor(COLOR_3DDKSHADOW));
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
    EXPECT_EQ(screenPixel(100, 100), RGB(0, 0, 0));      // the border stays
    EXPECT_EQ(screenPixel(99, 99), RGB(0, 0x80, 0x80));  // the desktop
}

// The display is sent only what a drawing changed: each kind of drawing that lays no
// background of its own must still say where it drew, or the screen keeps the old pixels.
TEST_F(Painting, WhatEachKindOfDrawingChangesReachesTheScreen) {
    const RECT area{10, 10, 40, 30};
    const std::vector<std::pair<const char*, std::function<void(HDC)>>> drawings = {
        {"InvertRect", [&](HDC dc) { InvertRect(dc, &area); }},
        {"DrawFocusRect", [&](HDC dc) { DrawFocusRect(dc, &area); }},
        {"TextOutA",
         [&](HDC dc) {
             SetBkMode(dc, TRANSPARENT);
             TextOutA(dc, area.left, area.top, "Hm", 2);
         }},
        {"BitBlt",
         [&](HDC dc) {
             HDC memory = CreateCompatibleDC(dc);
             HBITMAP bitmap = CreateCompatibleBitmap(dc, 30, 20);
             HGDIOBJ old = SelectObject(memory, bitmap);
             RECT all{0, 0, 30, 20};
             FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
             BitBlt(dc, area.left, area.top, 30, 20, memory, 0, 0, SRCCOPY);
             SelectObject(memory, old);
             DeleteObject(bitmap);
             DeleteDC(memory);
         }},
    };
    for (const auto& [name, draw] : drawings) {
        HWND w = topLevel(0, 0, 60, 50);
        pump();
        const COLORREF background = GetSysColor(COLOR_WINDOW);
        ASSERT_EQ(testui::Screen().countUnlike(w, area, background), 0) << name;
        HDC dc = GetDC(w);
        draw(dc);
        ReleaseDC(w, dc);
        pump();
        EXPECT_GT(testui::Screen().countUnlike(w, area, background), 0) << name << " is not on the screen";
        DestroyWindow(w);
    }
}

TEST_F(Painting, AWindowWhoseScreenContentsWereLostIsSentWhole) {
    HWND w = topLevel(100, 100, 60, 50);
    pump();
    testui::headless().loseContents(testui::headless().surfaceAt(120, 120));
    EXPECT_EQ(screenPixel(120, 120), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(screenPixel(159, 149), GetSysColor(COLOR_WINDOW));
    DestroyWindow(w);
}
