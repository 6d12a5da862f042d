// Labels: STN_CLICKED at the press, clicks through a label that does not notify, colours
// from the parent, repainting on a new text and wrapping by style.
#include "control_fixture.h"
#include "ui_driver.h"

namespace controls_test {
namespace {

using StaticTest = ControlTest;

TEST_F(StaticTest, NotifyingLabelReportsThePressAtOnceAndLeavesTheFocus) {
    HWND edit = make("EDIT", "", 0, 10, 80, 100, 20, 6, WS_EX_CLIENTEDGE);
    HWND label = make("STATIC", "1", SS_SIMPLE | SS_NOTIFY, 10, 10, 100, 16, 1);
    SetFocus(edit);
    testui::pumpUntilIdle();
    clearLog();

    POINT centre = testui::centreOf(label);
    testui::headless().mouseMove(centre.x, centre.y);
    testui::headless().mouseDown(centre.x, centre.y);
    testui::pumpUntilIdle();
    ASSERT_EQ(commandsFrom(label), std::vector<WORD>{STN_CLICKED}) << "sent at the press";
    testui::headless().mouseUp(centre.x, centre.y);
    testui::pumpUntilIdle();
    EXPECT_EQ(commandsFrom(label).size(), 1u);
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(StaticTest, LabelWithoutNotifyLetsTheClickThroughToTheParent) {
    HWND label = make("STATIC", "Label", SS_LEFT, 30, 40, 100, 16, 5);
    testui::pumpUntilIdle();
    clearLog();
    testui::clickAt(label, 10, 5);
    testui::pumpUntilIdle();
    EXPECT_TRUE(commandsFrom(label).empty());
    EXPECT_EQ(testmsg::lParams(parent, WM_LBUTTONDOWN), std::vector<LPARAM>{MAKELPARAM(40, 45)})
        << "once, in the parent's client coordinates";
}

TEST_F(StaticTest, PaintsWithTheParentsBrushAndTextColourAndRepaintsANewText) {
    answerColour(WM_CTLCOLORSTATIC, RGB(250, 250, 0), RGB(0, 0, 255));
    HWND label = make("STATIC", "", SS_SIMPLE, 10, 10, 150, 20, 5);
    testui::pumpUntilIdle();
    EXPECT_GT(count(WM_CTLCOLORSTATIC), 0);
    EXPECT_EQ(Screen().countUnlike(label, RECT{0, 0, 150, 20}, RGB(250, 250, 0)), 0);
    SetWindowTextA(label, "IIIIHHHH");
    testui::pumpUntilIdle();
    EXPECT_EQ(pixel(label, 145, 17), RGB(250, 250, 0));
    EXPECT_GT(Screen().countLike(label, RECT{0, 0, 80, 20}, RGB(0, 0, 255)), 0) << "text in the DC's text colour";
}

TEST_F(StaticTest, LeftLabelsWrapWordsAndSimpleLabelsDoNot) {
    answerColour(WM_CTLCOLORSTATIC, RGB(255, 255, 255), RGB(0, 0, 0));
    const char* text = "alpha beta gamma delta";
    HWND wrapping = make("STATIC", text, SS_LEFT, 10, 10, 60, 60, 5);
    HWND simple = make("STATIC", text, SS_SIMPLE, 100, 10, 60, 60, 6);
    testui::pumpUntilIdle();
    RECT secondLine{0, 16, 60, 60};
    EXPECT_GT(Screen().countUnlike(wrapping, secondLine, RGB(255, 255, 255)), 0);
    EXPECT_EQ(Screen().countUnlike(simple, secondLine, RGB(255, 255, 255)), 0);
}

}  // namespace
}  // namespace controls_test
