// The focus a dialog starts with and the keys the dialog manager takes: Tab, Shift+Tab,
// Enter and Escape.
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

// A control that wants every key, as a multi-line edit does, and notes them.
std::vector<WPARAM> keysSeenByGreedyControl;
LRESULT CALLBACK greedyControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE)
        return DLGC_WANTALLKEYS;
    if (message == WM_KEYDOWN)
        keysSeenByGreedyControl.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
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

TEST_F(DialogKeyboardTest, ProcedureThatSetsTheFocusItselfKeepsIt) {
    DialogScript script;
    script.onMessage = [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            SetFocus(GetDlgItem(dialog, 7));
        return FALSE;
    };
    runWith({control(u"EDIT", 6, WS_TABSTOP), control(u"BUTTON", 7, WS_TABSTOP)}, script,
            [&] { EXPECT_EQ(GetFocus(), GetDlgItem(script.dialog, 7)); });
}

TEST_F(DialogKeyboardTest, TabAndShiftTabWalkTheEnabledVisibleTabStops) {
    ItemLayout disabled = control(u"EDIT", 13, WS_TABSTOP | WS_DISABLED, 10, 50);
    ItemLayout hidden = control(u"EDIT", 16, WS_TABSTOP, 10, 90);
    hidden.style &= ~static_cast<DWORD>(WS_VISIBLE);
    DialogLayout layout = form({control(u"EDIT", 10, WS_TABSTOP, 10, 10), control(u"STATIC", 11, 0, 10, 20),
                            control(u"EDIT", 12, WS_TABSTOP, 10, 30), disabled, control(u"EDIT", 14, WS_TABSTOP, 10, 70),
                            control(u"EDIT", 15, 0, 10, 80), hidden});
    DialogScript script;
    std::vector<int> ids;
    std::vector<std::pair<UINT, uint32_t>> keys = {
        {VK_TAB, 0}, {VK_TAB, 0}, {VK_TAB, 0}, {VK_TAB, display::ModShift}, {VK_TAB, display::ModShift}};
    for (auto [key, modifiers] : keys)
        screen().addStep([&, key = key, modifiers = modifiers] {
            ids.push_back(GetDlgCtrlID(GetFocus()));
            testui::key(key, modifiers);
        });
    screen().addStep([&] {
        ids.push_back(GetDlgCtrlID(GetFocus()));
        HWND dialog = script.dialog;
        // The tab order itself, from nothing and from a control that is no tab stop.
        ids.push_back(GetDlgCtrlID(GetNextDlgTabItem(dialog, nullptr, FALSE)));
        ids.push_back(GetDlgCtrlID(GetNextDlgTabItem(dialog, nullptr, TRUE)));
        ids.push_back(GetDlgCtrlID(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 15), FALSE)));
        EndDialog(dialog, 1);
    });
    runDialog(layout, script);
    EXPECT_EQ(ids, (std::vector<int>{10, 12, 14, 10, 14, 12, 10, 14, 10}));
}

// Enter commands the default id with whatever control has it (a focused push button
// commands itself), and Escape IDCANCEL with the Cancel button if any; without such a
// control the command comes without one. The editor's own case, id 1 a label and the
// focus in an edit, is one of the scenario tests' ways of ending the form.
TEST_F(DialogKeyboardTest, EnterAndEscapeCommandTheDefaultIdAndCancel) {
    // A procedure that answers DM_GETDEFID with no default id: Enter commands IDOK.
    auto noDefaultId = [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == DM_GETDEFID)
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        return message == WM_INITDIALOG || message == DM_GETDEFID;
    };
    // Push button 5 made the default id (after an owner-drawn button, which keeps its kind).
    auto defaultId5 = [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            SendMessageA(dialog, DM_SETDEFID, 9, 0);
            EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, 9), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
            SendMessageA(dialog, DM_SETDEFID, 5, 0);
        }
        return message == WM_INITDIALOG;
    };
    const std::vector<ItemLayout> buttons = {control(u"EDIT", 6, 0), control(u"BUTTON", 5, BS_PUSHBUTTON, 10, 30),
                                             control(u"BUTTON", 7, BS_PUSHBUTTON, 80, 30),
                                             control(u"BUTTON", 9, BS_OWNERDRAW, 150, 30)};
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
        {"from an owner-drawn button", {control(u"STATIC", 1, SS_NOTIFY), control(u"BUTTON", 9, BS_OWNERDRAW)}, 9,
         VK_RETURN, 1, 1},
        {"no control of id 1", {control(u"EDIT", 6, 0)}, 0, VK_RETURN, 1, 0},
        {"no default id", {control(u"EDIT", 6, 0)}, 0, VK_RETURN, IDOK, 0, noDefaultId},
        {"Escape without Cancel", {control(u"EDIT", 6, WS_TABSTOP)}, 0, VK_ESCAPE, IDCANCEL, 0},
        {"Escape with Cancel", {control(u"EDIT", 6, WS_TABSTOP), control(u"BUTTON", IDCANCEL, BS_PUSHBUTTON, 10, 30)},
         0, VK_ESCAPE, IDCANCEL, IDCANCEL},
        {"from an edit: the default id's button", buttons, 6, VK_RETURN, 5, 5, defaultId5},
        {"on a push button: that button", buttons, 7, VK_RETURN, 7, 7, defaultId5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DialogScript script;
        script.onMessage = row.onMessage;
        HWND from = nullptr;
        runWith(row.items, script, [&] {
            from = row.from ? GetDlgItem(script.dialog, row.from) : nullptr;
            if (row.focus)
                SetFocus(GetDlgItem(script.dialog, row.focus));
            testui::key(row.key);
        });
        ASSERT_EQ(script.clicks().size(), 1u);
        EXPECT_EQ(script.clicks()[0].wParam, MAKEWPARAM(row.command, BN_CLICKED));
        EXPECT_EQ(script.clicks()[0].lParam, reinterpret_cast<LPARAM>(from));
    }
}

TEST_F(DialogKeyboardTest, AControlThatWantsAllKeysGetsThem) {
    testmsg::registerOnce("GreedyControl", greedyControlProc);
    keysSeenByGreedyControl.clear();
    DialogScript script;
    runWith({control(u"GreedyControl", 6, WS_TABSTOP), control(u"EDIT", 7, WS_TABSTOP, 10, 30)}, script, [&] {
        SetFocus(GetDlgItem(script.dialog, 6));
        testui::key(VK_RETURN);
        testui::key(VK_TAB);
        testui::key(VK_ESCAPE);
    });
    EXPECT_TRUE(script.clicks().empty());
    EXPECT_EQ(keysSeenByGreedyControl, (std::vector<WPARAM>{VK_RETURN, VK_TAB, VK_ESCAPE}));
}

// Which push buttons look like the default (BS_DEFPUSHBUTTON) as the focus and the
// default id change, as measured on Win32: only the dialog manager's navigation gives a
// focused push button the look (not the initial focus, not SetFocus), leaving push buttons
// gives it back to the default id's button, and DM_SETDEFID takes it from whichever push
// button has it.
TEST_F(DialogKeyboardTest, TheDefaultLookFollowsNavigationAndTheDefaultId) {
    DialogScript script;
    auto item = [&](int id) { return GetDlgItem(script.dialog, id); };
    auto next = [&](int id) { SendMessageA(script.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(id)), TRUE); };
    auto looks = [&] {
        std::vector<int> defaults;
        for (int id = 100; id <= 103; ++id)
            if ((GetWindowLongA(item(id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                defaults.push_back(id);
        return defaults;
    };
    struct Row {
        const char* what;
        std::function<void()> act;
        std::vector<int> looks;
        int focus;
    };
    const Row rows[] = {
        {"initial focus", [] {}, {102}, 100},
        {"SetFocus", [&] { SetFocus(item(101)); }, {102}, 101},
        {"WM_NEXTDLGCTL to a push button", [&] { next(103); }, {103}, 103},
        {"WM_NEXTDLGCTL to the edit", [&] { next(104); }, {102}, 104},
        {"DM_SETDEFID", [&] { SendMessageA(script.dialog, DM_SETDEFID, 100, 0); }, {100}, 104},
        {"WM_NEXTDLGCTL to a push button", [&] { next(103); }, {103}, 103},
        {"DM_SETDEFID while a push button has the focus",
         [&] { SendMessageA(script.dialog, DM_SETDEFID, 101, 0); }, {101}, 103},
        {"WM_NEXTDLGCTL back to the edit", [&] { next(104); }, {101}, 104},
    };
    screen().addStep([&] {
        for (const Row& row : rows) {
            row.act();
            EXPECT_EQ(looks(), row.looks) << row.what;
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), row.focus) << row.what;
        }
        testui::key(VK_TAB);  // from the last tab stop round to the first push button
    });
    auto button = [](WORD id, DWORD type, short y) { return control(u"BUTTON", id, type | WS_TABSTOP, 10, y); };
    runWith({button(100, BS_PUSHBUTTON, 10), button(101, BS_PUSHBUTTON, 30), button(102, BS_DEFPUSHBUTTON, 50),
             button(103, BS_PUSHBUTTON, 70), control(u"EDIT", 104, WS_TABSTOP, 80, 10)},
            script, [&] {
                EXPECT_EQ(GetDlgCtrlID(GetFocus()), 100);
                EXPECT_EQ(looks(), std::vector<int>{100}) << "Tab";
            });
}
