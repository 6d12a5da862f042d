// A top-level parent window whose procedure records what its controls tell it, answers
// their colour requests with brushes a test chooses, and paints its own background in a
// colour of its own, so that tests can see which pixels a control leaves alone.
#pragma once

#include "message_recorder.h"
#include "ui_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace controls_test {

using testmsg::Received;

using testui::Screen;
using testui::screenPoint;

constexpr COLORREF parentBackground = RGB(0, 160, 0);

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND make(const char* className, const char* text, DWORD style, int x, int y, int width, int height, int id,
              DWORD exStyle = 0);

    // What the parent received since the last clear (in the recorder's log), and filters of it.
    static std::vector<Received>& log() { return testmsg::log(); }
    static void clearLog();
    static std::vector<WORD> commandsFrom(HWND control);  // notification codes, in order
    static const std::vector<DRAWITEMSTRUCT>& drawItems();  // the records as they arrived
    int count(UINT message) const { return int(testmsg::received(parent, message).size()); }

    // Colour request answers: the brush of `colour` and this text colour for one message.
    static void answerColour(UINT colourMessage, COLORREF background, COLORREF text);

    // A width x height bitmap of one colour, owned by the caller.
    static HBITMAP solidBitmap(int width, int height, COLORREF colour);
    static COLORREF pixel(HWND window, int clientX, int clientY) { return testui::pixel(window, clientX, clientY); }

    HWND parent = nullptr;
};

}  // namespace controls_test
