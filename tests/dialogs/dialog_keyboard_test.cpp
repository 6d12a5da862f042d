// The focus a dialog without tab stops starts with and the keys the dialog manager takes:
// Tab, Enter and Escape.
#include "dialog_script.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace testdialogs;

namespace {

class DialogKeyboardTest : public testmsg::WindowTest {
protected:
    display::HeadlessBackend& screen() { return testui::headless(); }
};

DialogLayout form(std::vector<ItemLayout> items) {
    DialogLayout layout;
    layout.style |= WS_VISIBLE;
    layout.items = std::move(items);
    return layout;
}

// Shows a dialog of these controls, does `act` once it is up, and ends it in the next
// step; the result shows that both steps ran.
void runWith(std::vector<ItemLayout> items, DialogScript& script, std::function<void()> act) {
    testui::headless().addStep(std::move(act));
    testui::headless().addStep([&script] { EndDialog(script.dialog, 7); });
    EXPECT_EQ(runDialog(form(std::move(items)), script), 7);
}

}  // namespace

TEST_F(DialogKeyboardTest, WithoutTabStopsTheDialogKeepsTheFocusAndTabGoesNowhere) {
    // As in the editor, whose controls have no tab stops.
    DialogScript none;
    screen().addStep([&] {
        EXPECT_EQ(GetFocus(), none.dialog);
        testui::key(VK_TAB);
    });
    runWith({control(u"STATIC", 1, 0), control(u"EDIT", 6, 0)}, none, [&] { EXPECT_EQ(GetFocus(), none.dialog); });

    // From a field, Tab finds no other stop: the field keeps the focus with its text selected.
    DialogScript fromField;
    auto field = [&] { return GetDlgItem(fromField.dialog, 6); };
    screen().addStep([&] {
        SetWindowTextA(field(), "gamma");
        SetFocus(field());
        SendMessageA(field(), EM_SETSEL, 5, 5);
        testui::key(VK_TAB);
    });
    runWith({control(u"STATIC", 1, 0), control(u"EDIT", 6, 0)}, fromField, [&] {
        EXPECT_EQ(GetFocus(), field());
        EXPECT_EQ(SendMessageA(field(), EM_GETSEL, 0, 0), MAKELRESULT(0, 5));
    });
}

// Enter commands the default id with whatever control has it, and Escape IDCANCEL; without
// such a control the command comes without one. The editor's own case, id 1 a label and
// the focus in an edit, is one of the scenario tests' ways of ending the form; a message
// box's OK button is its own default.
TEST_F(DialogKeyboardTest, EnterAndEscapeCommandTheDefaultIdAndCancel) {
    // A procedure that answers DM_GETDEFID with no default id: Enter commands IDOK.
    auto noDefaultId = [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == DM_GETDEFID) SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        return message == WM_INITDIALOG || message == DM_GETDEFID;
    };
    struct Row {
        const char* what;
        std::vector<ItemLayout> items;
        int focus;  // 0: the dialog's own choice
        UINT key;
        WPARAM command;
        int from;  // the id of the control the command names, 0 for none
        std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> onMessage = nullptr;
    };
    const Row rows[] = {
        // A focused owner-drawn button is no push button to the dialog manager, as after a
        // click on one of the editor's buttons.
        {"from an owner-drawn button",
         {control(u"STATIC", 1, SS_NOTIFY), control(u"BUTTON", 9, BS_OWNERDRAW)},
         9,
         VK_RETURN,
         1,
         1},
        {"no default id", {control(u"EDIT", 6, 0)}, 0, VK_RETURN, IDOK, 0, noDefaultId},
        {"Escape without Cancel", {control(u"EDIT", 6, 0)}, 6, VK_ESCAPE, IDCANCEL, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DialogScript script;
        script.onMessage = row.onMessage;
        HWND from = nullptr;
        runWith(row.items, script, [&] {
            from = row.from ? GetDlgItem(script.dialog, row.from) : nullptr;
            if (row.focus) SetFocus(GetDlgItem(script.dialog, row.focus));
            testui::key(row.key);
        });
        ASSERT_EQ(script.clicks().size(), 1u);
        EXPECT_EQ(script.clicks()[0].wParam, MAKEWPARAM(row.command, BN_CLICKED));
        EXPECT_EQ(script.clicks()[0].lParam, reinterpret_cast<LPARAM>(from));
    }
}

// Arrow keys move the focus through the control's group as Win32's dialog manager does,
// wrapping round inside it, past hidden and disabled controls; an edit keeps its arrows.
// Labels and group boxes are passed over (Wine puts the focus on them).
TEST_F(DialogKeyboardTest, ArrowsMoveTheFocusThroughTheGroup) {
    const std::vector<ItemLayout> items = {
        control(u"STATIC", 10, SS_NOTIFY),
        control(u"BUTTON", 11, BS_PUSHBUTTON),
        control(u"EDIT", 12, 0),
        control(u"STATIC", 13, 0),
        control(u"BUTTON", 14, BS_GROUPBOX),
        control(u"BUTTON", 15, BS_OWNERDRAW),
        control(u"BUTTON", 16, WS_DISABLED),
        control(u"BUTTON", 17, BS_PUSHBUTTON),
        control(u"BUTTON", 18, WS_GROUP),
        control(u"BUTTON", 19, BS_PUSHBUTTON),
    };
    struct Row {
        int from;
        UINT key;
        int to;
    };
    const Row rows[] = {
        {11, VK_DOWN, 12}, {11, VK_RIGHT, 12}, {12, VK_DOWN, 12}, {12, VK_UP, 12},   {15, VK_DOWN, 17},
        {15, VK_UP, 12},   {11, VK_UP, 17},    {17, VK_DOWN, 11}, {19, VK_DOWN, 18}, {18, VK_LEFT, 19},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "from " << row.from << " key " << row.key);
        DialogScript script;
        screen().addStep([&] {
            SetFocus(GetDlgItem(script.dialog, row.from));
            testui::key(row.key);
        });
        runWith(items, script, [&] { EXPECT_EQ(GetDlgCtrlID(GetFocus()), row.to); });
    }
}
