// A top-level parent window whose procedure records what its controls tell it, answers
// their colour requests with brushes a test chooses, and paints its own background in a
// colour of its own, so that tests can see which pixels a control leaves alone.
#pragma once

#include "message_recorder.h"
#include "ui_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <vector>

namespace controls_test {

using testmsg::Received;
using testui::pixel;
using testui::Screen;
using testui::screenPoint;

constexpr COLORREF parentBackground = RGB(0, 160, 0);

class ControlTest : public testmsg::WindowTest {
protected:
    void SetUp() override {
        testmsg::WindowTest::SetUp();
        clearLog();
        parent = testmsg::topLevel(100, 100, 420, 320, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, "Controls",
                                   0, testmsg::registerOnce("ControlTestParent", parentProcedure));
        ASSERT_NE(parent, nullptr);
        testui::pumpUntilIdle();
    }
    void TearDown() override {
        testmsg::WindowTest::TearDown();
        for (auto& [message, answer] : answers()) DeleteObject(answer.brush);
        answers().clear();
    }

    HWND make(const char* className, const char* text, DWORD style, int x, int y, int width, int height, int id,
              DWORD exStyle = 0) {
        HWND control = CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, x, y, width, height,
                                       parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_NE(control, nullptr) << className;
        return control;
    }

    // What the parent received since the last clear (in the recorder's log), and filters of it.
    static std::vector<Received>& log() { return testmsg::log(); }
    static void clearLog() {
        testmsg::log().clear();
        drawItems().clear();
    }
    static std::vector<WORD> commandsFrom(HWND control) {  // notification codes, in order
        std::vector<WORD> codes;
        for (const Received& entry : log())
            if (entry.message == WM_COMMAND && reinterpret_cast<HWND>(entry.lParam) == control)
                codes.push_back(HIWORD(entry.wParam));
        return codes;
    }
    static std::vector<DRAWITEMSTRUCT>& drawItems() {  // the records as they arrived
        static std::vector<DRAWITEMSTRUCT> drawn;
        return drawn;
    }
    int count(UINT message) const { return int(testmsg::received(parent, message).size()); }

    // Colour request answers: the brush of `background` and this text colour for one message.
    static void answerColour(UINT colourMessage, COLORREF background, COLORREF text) {
        ColourAnswer& answer = answers()[colourMessage];
        if (answer.brush) DeleteObject(answer.brush);
        answer = {CreateSolidBrush(background), text};
    }

    HWND parent = nullptr;

private:
    struct ColourAnswer {
        HBRUSH brush = nullptr;
        COLORREF text = 0;
    };
    static std::map<UINT, ColourAnswer>& answers() {
        static std::map<UINT, ColourAnswer> all;
        return all;
    }
    static void fill(HDC dc, const RECT& area, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    static LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        bool colourRequest = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
        if (colourRequest || message == WM_COMMAND || message == WM_DRAWITEM || message == WM_LBUTTONDOWN ||
            message == WM_LBUTTONUP)
            testmsg::record(window, message, wParam, lParam);
        if (message == WM_DRAWITEM) drawItems().push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        auto answer = answers().find(message);
        if (colourRequest && answer != answers().end()) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, answer->second.text);
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(answer->second.brush);
        }
        if (message == WM_ERASEBKGND) {
            RECT client{};
            GetClientRect(window, &client);
            fill(reinterpret_cast<HDC>(wParam), client, parentBackground);
            return 1;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

}  // namespace controls_test
