// Buttons: the owner-draw sequence of a press, clicks by mouse and space bar, group boxes,
// and their colours. What the dialog manager makes of them is checked by the dialog
// keyboard tests.
#include "control_fixture.h"
#include "ui_driver.h"

namespace controls_test {
namespace {

using ButtonTest = ControlTest;

struct Drawn {
    UINT action;
    UINT state;
    bool operator==(const Drawn&) const = default;
};

std::vector<Drawn> drawnSince(const std::vector<DRAWITEMSTRUCT>& items) {
    std::vector<Drawn> drawn;
    for (const DRAWITEMSTRUCT& item : items) drawn.push_back({item.itemAction, item.itemState});
    return drawn;
}

void PrintTo(const Drawn& drawn, std::ostream* out) {
    *out << "(action " << drawn.action << ", state " << drawn.state << ")";
}

TEST_F(ButtonTest, OwnerDrawnPressAndReleaseDrawAsWin32Does) {
    HWND button = make("BUTTON", "Up", BS_OWNERDRAW, 20, 20, 80, 24, 34);
    testui::pumpUntilIdle();
    ASSERT_FALSE(drawItems().empty()) << "the first paint is owner-drawn";
    EXPECT_EQ(drawItems().front().itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    clearLog();

    POINT centre = testui::centreOf(button);
    testui::headless().mouseMove(centre.x, centre.y);
    testui::headless().mouseDown(centre.x, centre.y);
    testui::pumpUntilIdle();
    EXPECT_EQ(GetFocus(), button);
    std::vector<Drawn> expectedPress{{ODA_FOCUS, ODS_FOCUS}, {ODA_SELECT, ODS_SELECTED | ODS_FOCUS}};
    EXPECT_EQ(drawnSince(drawItems()), expectedPress);
    EXPECT_TRUE(commandsFrom(button).empty()) << "no click before the release";

    // The record names the button; its id, DC and rectangle are what the editor's form
    // draws its buttons with.
    EXPECT_EQ(drawItems().back().CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(drawItems().back().hwndItem, button);
    clearLog();

    testui::headless().mouseUp(centre.x, centre.y);
    testui::pumpUntilIdle();
    std::vector<Drawn> expectedRelease{{ODA_SELECT, ODS_FOCUS}};
    EXPECT_EQ(drawnSince(drawItems()), expectedRelease);
    // Drawn released before the click.
    EXPECT_TRUE(testmsg::sequenceIs(
        {{parent, WM_DRAWITEM}, {parent, WM_COMMAND, testmsg::kWParam, MAKEWPARAM(34, BN_CLICKED)}}, {WM_DRAWITEM}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, ReleaseOutsideDoesNotClickAndMovingOutLiftsTheButton) {
    HWND button = make("BUTTON", "Up", BS_OWNERDRAW, 20, 20, 80, 24, 34);
    testui::pumpUntilIdle();
    POINT centre = testui::centreOf(button);
    testui::headless().mouseMove(centre.x, centre.y);
    testui::headless().mouseDown(centre.x, centre.y);
    testui::pumpUntilIdle();
    EXPECT_EQ(GetCapture(), button);
    clearLog();

    testui::headless().mouseMove(centre.x + 200, centre.y + 100);
    testui::pumpUntilIdle();
    std::vector<Drawn> lifted{{ODA_SELECT, ODS_FOCUS}};
    EXPECT_EQ(drawnSince(drawItems()), lifted);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_FOCUS);

    testui::headless().mouseMove(centre.x, centre.y);
    testui::pumpUntilIdle();
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS) << "back over it: pressed again";

    testui::headless().mouseMove(centre.x + 200, centre.y + 100);
    testui::headless().mouseUp(centre.x + 200, centre.y + 100);
    testui::pumpUntilIdle();
    EXPECT_TRUE(commandsFrom(button).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, OwnerDrawnButtonRedrawsWholeOnNewTextAndIgnoresClicksWhenDisabled) {
    HWND button = make("BUTTON", "Up", BS_OWNERDRAW, 20, 20, 80, 24, 34);
    testui::pumpUntilIdle();
    clearLog();
    SetWindowTextA(button, "Down");
    ASSERT_EQ(drawItems().size(), 1u) << "drawn before SetWindowTextA returns";
    EXPECT_EQ(drawItems()[0].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(testui::windowText(button), "Down");

    EnableWindow(button, FALSE);
    testui::pumpUntilIdle();
    EXPECT_NE(drawItems().back().itemState & ODS_DISABLED, 0u);
    clearLog();
    testui::click(button);
    testui::pumpUntilIdle();
    EXPECT_TRUE(commandsFrom(button).empty());
}

TEST_F(ButtonTest, SpaceBarPressesOnKeyDownAndClicksOnKeyUp) {
    HWND button = make("BUTTON", "OK", BS_PUSHBUTTON, 20, 20, 80, 24, 1);
    SetFocus(button);
    testui::pumpUntilIdle();
    clearLog();
    testui::headless().keyDown(VK_SPACE);
    testui::pumpUntilIdle();
    // Only the documented bits: pressed and focused, nothing of the button's own bookkeeping.
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    EXPECT_TRUE(commandsFrom(button).empty());
    testui::headless().keyUp(VK_SPACE);
    testui::pumpUntilIdle();
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_FOCUS);
    EXPECT_EQ(commandsFrom(button), std::vector<WORD>{BN_CLICKED});
}

TEST_F(ButtonTest, PushButtonFaceUsesTheBrushItsParentAnswers) {
    answerColour(WM_CTLCOLORBTN, RGB(200, 0, 0), RGB(0, 0, 0));
    HWND button = make("BUTTON", "", BS_PUSHBUTTON, 20, 20, 80, 24, 1);
    testui::pumpUntilIdle();
    EXPECT_GT(count(WM_CTLCOLORBTN), 0);
    EXPECT_EQ(pixel(button, 40, 12), RGB(200, 0, 0));
}

// Group boxes are drawn on the parent's static colours, not a button face.
TEST_F(ButtonTest, GroupBoxTakesStaticColoursAndLetsClicksThrough) {
    answerColour(WM_CTLCOLORSTATIC, RGB(0, 0, 200), RGB(255, 255, 255));
    HWND group = make("BUTTON", "Group", BS_GROUPBOX, 20, 20, 200, 120, 9);
    testui::pumpUntilIdle();
    EXPECT_GT(count(WM_CTLCOLORSTATIC), 0);
    EXPECT_EQ(count(WM_CTLCOLORBTN), 0);
    EXPECT_EQ(pixel(group, 100, 60), parentBackground) << "interior untouched";
    EXPECT_EQ(pixel(group, 7, 1), RGB(0, 0, 200)) << "text gap on the parent's brush";
    EXPECT_NE(pixel(group, 1, 60), parentBackground) << "the frame is drawn";

    clearLog();
    testui::clickAt(group, 100, 60);
    testui::pumpUntilIdle();
    EXPECT_EQ(count(WM_LBUTTONDOWN), 1);
    EXPECT_TRUE(commandsFrom(group).empty());
}

}  // namespace
}  // namespace controls_test
