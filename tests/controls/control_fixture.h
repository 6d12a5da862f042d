// A top-level parent window whose procedure records what its controls tell it, answers
// their colour requests with brushes a test chooses, and paints its own background in a
// colour of its own, so that tests can see which pixels a control leaves alone.
#pragma once

#include "ui_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace controls_test {

struct Received {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // WM_DRAWITEM: the record as it arrived.
    DRAWITEMSTRUCT item{};
};

using testui::Screen;
using testui::screenPoint;

constexpr COLORREF parentBackground = RGB(0, 160, 0);

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND make(const char* className, const char* text, DWORD style, int x, int y, int width, int height, int id,
              DWORD exStyle = 0);

    // What the parent received since the last clear, and filters of it.
    static std::vector<Received>& log();
    static void clearLog();
    static std::vector<WORD> commandsFrom(HWND control);  // notification codes, in order
    static std::vector<Received> drawItems();
    static int count(UINT message);

    // Colour request answers: the brush of `colour` and this text colour for one message.
    static void answerColour(UINT colourMessage, COLORREF background, COLORREF text);

    // A width x height bitmap of one colour, owned by the caller.
    static HBITMAP solidBitmap(int width, int height, COLORREF colour);
    static COLORREF pixel(HWND window, int clientX, int clientY) { return testui::pixel(window, clientX, clientY); }

    HWND parent = nullptr;
};

}  // namespace controls_test
