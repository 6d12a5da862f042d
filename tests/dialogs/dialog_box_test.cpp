// Modal dialogs from templates on the headless display: creation order, the dialog
// procedure contract, and the activation and focus of a dialog over another. The editor's
// form itself, drawn at its pixel size and place, is compared with a picture by the
// scenario tests. Checks made
// while a dialog is up sit in a display step that ends the dialog with a result the test
// then expects, so that a step which never ran shows.
#include "dialog_script.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <functional>

using namespace testdialogs;

namespace {

class DialogBoxTest : public testmsg::WindowTest {
protected:
    display::HeadlessBackend& screen() { return testui::headless(); }

    // Shows the dialog, runs `whileUp` once it is, and ends it with 7.
    void expectWhileUp(const DialogLayout& layout, DialogScript& script, std::function<void(HWND)> whileUp) {
        screen().addStep([&] {
            whileUp(script.dialog);
            EndDialog(script.dialog, 7);
        });
        EXPECT_EQ(runDialog(layout, script), 7);
    }
};

// The editor's form: DS_SETFONT "MS Sans Serif" 8, 530 x 271 dialog units.
DialogLayout editorLikeForm() {
    DialogLayout layout;
    layout.style = 0x90C800C0;  // WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
    layout.y = 4;
    layout.cx = 530;
    layout.cy = 271;
    layout.title = u"Form";
    return layout;
}

}  // namespace

TEST_F(DialogBoxTest, InitialisationComesAfterEveryControlHasItsFont) {
    DialogLayout layout = editorLikeForm();
    layout.items = {control(u"STATIC", 1, 0), control(u"EDIT", 6, 0), control(u"EDIT", 7, 0),
                    control(u"BUTTON", 8, BS_OWNERDRAW), control(u"ProbeControl", 9, 0)};
    registerProbeControl();
    DialogScript script;
    bool initialised = false;
    script.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message != WM_INITDIALOG) return FALSE;
        initialised = true;
        auto dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        EXPECT_NE(dialogFont, nullptr);
        for (int id : {1, 8, 9})
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(dialog, id), WM_GETFONT, 0, 0)), dialogFont)
                << id;
        EXPECT_EQ(probes()[GetDlgItem(dialog, 9)].fontMessages, 1);
        return TRUE;
    };
    expectWhileUp(layout, script, [](HWND) {});
    EXPECT_TRUE(initialised);
}

TEST_F(DialogBoxTest, ProcedureResultsAndDefaultAnswers) {
    DialogLayout layout = editorLikeForm();
    layout.items = {control(u"STATIC", 1, 0, 30, 19, 310, 12, u"label")};
    DialogScript script;
    HBRUSH ownBrush = CreateSolidBrush(RGB(1, 2, 3));
    script.onMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(ownBrush);  // the answer itself
        default:
            return FALSE;
        }
    };
    expectWhileUp(layout, script, [ownBrush](HWND dialog) {
        EXPECT_EQ(SendMessageA(dialog, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1))),
                  reinterpret_cast<LRESULT>(ownBrush));
        EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    });
    DeleteObject(ownBrush);
}

// The activation and focus sequences of a modal dialog over a dialog owner whose second
// field has the focus, as measured on Win32: when the dialog ends, it is hidden before the
// owner is activated again, and the owner's dialog manager gives the field its focus back,
// the field drawing itself focused before it says so.
TEST_F(DialogBoxTest, ActivationAndFocusPassToTheDialogAndBackToTheOwnersField) {
    using testmsg::kCbtActivate;
    using testmsg::kCbtSetFocus;
    using testmsg::kParams;
    DialogLayout ownerLayout = editorLikeForm();
    ownerLayout.items = {control(u"EDIT", 11, WS_TABSTOP, 10, 10), control(u"EDIT", 12, WS_TABSTOP, 10, 30)};
    DialogLayout innerLayout = editorLikeForm();
    innerLayout.items = {control(u"EDIT", 21, WS_TABSTOP)};
    DialogScript owner, inner;
    HWND o = nullptr, d = nullptr, field = nullptr, innerField = nullptr;
    auto h = [](HWND w) { return reinterpret_cast<WPARAM>(w); };
    auto l = [](HWND w) { return reinterpret_cast<LPARAM>(w); };
    inner.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            d = dialog;
            innerField = GetDlgItem(dialog, 21);
            testmsg::recordMessagesOf(innerField);
            PostMessageA(dialog, WM_USER + 2, 0, 0);
        }
        if (message == WM_USER + 2) {
            EXPECT_TRUE(testmsg::sequenceIs({
                // The owner is disabled before the dialog's initialisation.
                {o, WM_CANCELMODE},
                {o, WM_ENABLE, kParams, FALSE, 0},
                {d, WM_INITDIALOG, kParams, h(innerField), reinterpret_cast<LPARAM>(&inner)},
                {innerField, WM_GETDLGCODE},
                {innerField, EM_SETSEL, kParams, 0, -1},
                // Focusing the dialog's field activates the dialog.
                {innerField, kCbtSetFocus, kParams, 0, l(field)},
                {d, kCbtActivate, kParams, FALSE, l(o)},
                {o, WM_NCACTIVATE, kParams, FALSE, l(d)},
                {o, WM_ACTIVATE, kParams, WA_INACTIVE, l(d)},
                {d, WM_NCACTIVATE, kParams, TRUE, l(o)},
                {d, WM_ACTIVATE, kParams, WA_ACTIVE, l(o)},
                {field, WM_KILLFOCUS, kParams, h(innerField), 0},
                {o, WM_COMMAND, kParams, MAKEWPARAM(12, EN_KILLFOCUS), l(field)},
                {innerField, WM_SETFOCUS, kParams, h(field), 0},
                {d, WM_COMMAND, kParams, MAKEWPARAM(21, EN_SETFOCUS), l(innerField)},
                {d, WM_SHOWWINDOW, kParams, TRUE, 0},
                {d, WM_WINDOWPOSCHANGING},
                {d, WM_WINDOWPOSCHANGED},
                {d, WM_USER + 2},
            }));
            EndDialog(dialog, 6);
        }
        return message == WM_INITDIALOG;
    };
    int runs = 0;
    owner.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            o = dialog;
            field = GetDlgItem(dialog, 12);
            testmsg::recordMessagesOf(field);
        }
        if (message == WM_USER + 1) {
            testmsg::log().clear();
            EXPECT_EQ(runDialog(innerLayout, inner, dialog), 6);
            ++runs;
            UINT hidden = SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE;
            EXPECT_TRUE(testmsg::sequenceIs(
                {
                    {o, WM_ENABLE, kParams, TRUE, 0},
                    // EndDialog takes the focus off the dialog's controls, hides the dialog, then
                    // passes the activation on.
                    {d, kCbtSetFocus, kParams, 0, l(innerField)},
                    {innerField, WM_KILLFOCUS, kParams, h(d), 0},
                    {d, WM_COMMAND, kParams, MAKEWPARAM(21, EN_KILLFOCUS), l(innerField)},
                    {d, WM_SETFOCUS, kParams, h(innerField), 0},
                    {d, WM_WINDOWPOSCHANGING, testmsg::kWParam, hidden},
                    {d, WM_WINDOWPOSCHANGED},
                    {o, kCbtActivate, kParams, FALSE, l(d)},
                    {d, WM_NCACTIVATE, kParams, FALSE, l(o)},
                    {d, WM_ACTIVATE, kParams, WA_INACTIVE, l(o)},
                    {o, WM_NCACTIVATE, kParams, TRUE, l(d)},
                    {o, WM_ACTIVATE, kParams, WA_ACTIVE, l(d)},
                    {field, kCbtSetFocus, kParams, 0, l(d)},
                    {d, WM_KILLFOCUS, kParams, h(field), 0},
                    {field, WM_SETFOCUS, kParams, h(d), 0},
                    {o, WM_CTLCOLOREDIT, testmsg::kLParam, 0, l(field)},
                    {o, WM_COMMAND, kParams, MAKEWPARAM(12, EN_SETFOCUS), l(field)},
                    {d, WM_DESTROY},
                    {innerField, WM_DESTROY},
                    {innerField, WM_NCDESTROY},
                    {d, WM_NCDESTROY},
                },
                {WM_CTLCOLOREDIT}));
            EndDialog(dialog, 1);
        }
        return message == WM_INITDIALOG;
    };
    screen().addStep([&] {
        SetFocus(field);  // as a click into the second field does
        PostMessageA(owner.dialog, WM_USER + 1, 0, 0);
    });
    testmsg::CbtRecorder hook;
    EXPECT_EQ(runDialog(ownerLayout, owner), 1);
    EXPECT_EQ(runs, 1);
}
