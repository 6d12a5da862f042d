// Modal dialogs from templates on the headless display: position, creation order,
// failure, the dialog procedure contract, ending and nesting, and the owner. The editor's
// form itself, drawn at its pixel size, is compared with a picture by the scenario tests. Checks made
// while a dialog is up sit in a display step that ends the dialog with a result the test
// then expects, so that a step which never ran shows.
#include "dialog_script.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace testdialogs;

namespace {

auto asTuple(const RECT& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); }

class DialogBoxTest : public testmsg::WindowTest {
protected:
    display::HeadlessBackend& screen() { return testui::headless(); }

    // A top-level window to own dialogs.
    HWND createOwner() {
        HWND owner = testmsg::topLevel(50, 50, 400, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "Owner", 0, ownerClass());
        EXPECT_NE(owner, nullptr);
        return owner;
    }
    static const char* ownerClass() { return testmsg::registerOnce("DialogTestOwner", DefWindowProcA); }
    // Shows the dialog, runs `whileUp` once it is, and ends it with 7.
    void expectWhileUp(const DialogLayout& layout, DialogScript& script, std::function<void(HWND)> whileUp,
                       HWND owner = nullptr) {
        screen().addStep([&] {
            whileUp(script.dialog);
            EndDialog(script.dialog, 7);
        });
        EXPECT_EQ(runDialog(layout, script, owner), 7);
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

// The template's position is the client area's, relative to the owner's client area, or
// to the screen with DS_ABSALIGN.
TEST_F(DialogBoxTest, PositionIsRelativeToTheOwnersClientArea) {
    HWND owner = createOwner();
    POINT ownerClient{};
    ClientToScreen(owner, &ownerClient);
    DialogLayout layout = editorLikeForm();
    layout.x = 20;  // 30 x 26 pixels
    layout.y = 16;
    layout.cx = 100;
    layout.cy = 50;
    auto clientAt = [](POINT expected) {
        return [expected](HWND dialog) {
            POINT origin{};
            ClientToScreen(dialog, &origin);
            EXPECT_EQ(origin.x, expected.x);
            EXPECT_EQ(origin.y, expected.y);
        };
    };
    DialogScript relative, absolute;
    expectWhileUp(layout, relative, clientAt({ownerClient.x + 30, ownerClient.y + 26}), owner);
    layout.style |= DS_ABSALIGN;
    expectWhileUp(layout, absolute, clientAt({30, 26}), owner);
    DestroyWindow(owner);
}

TEST_F(DialogBoxTest, InitialisationComesAfterEveryControlHasItsFont) {
    DialogLayout layout = editorLikeForm();
    layout.items = {control(u"STATIC", 1, 0), control(u"EDIT", 6, 0), control(u"EDIT", 7, WS_TABSTOP),
                    control(u"BUTTON", 8, BS_OWNERDRAW), control(u"ProbeControl", 9, 0)};
    registerProbeControl();
    DialogScript script;
    bool initialised = false;
    script.onMessage = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message != WM_INITDIALOG)
            return FALSE;
        initialised = true;
        auto dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        EXPECT_NE(dialogFont, nullptr);
        for (int id : {1, 8, 9})
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(dialog, id), WM_GETFONT, 0, 0)), dialogFont)
                << id;
        EXPECT_EQ(probes()[GetDlgItem(dialog, 9)].fontMessages, 1);
        EXPECT_EQ(wParam, reinterpret_cast<WPARAM>(GetDlgItem(dialog, 7))) << "the first tab stop";
        return TRUE;
    };
    expectWhileUp(layout, script, [](HWND) {});
    EXPECT_TRUE(initialised);
}

// The owner is the top-level window, even when a child is given (its disabling and its
// activation after the end are in the focus sequences below); a dialog that cannot be
// made leaves it enabled.
TEST_F(DialogBoxTest, TheOwnerIsTheTopLevelWindowAndAFailedDialogLeavesItEnabled) {
    HWND owner = createOwner();
    DialogScript script;
    HWND child = testmsg::child(owner, 0, 0, 0, 10, 10, WS_CHILD | WS_VISIBLE, ownerClass());
    expectWhileUp(
        editorLikeForm(), script,
        [owner](HWND dialog) { EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner); }, child);
    EXPECT_FALSE(IsWindow(script.dialog));

    DialogScript failed;
    DialogLayout badControl = editorLikeForm();
    badControl.title = u"Doomed";
    badControl.items = {control(u"STATIC", 1, 0), control(u"NoSuchClass", 2, 0)};
    EXPECT_EQ(runDialog(badControl, failed, owner), -1);
    EXPECT_FALSE(failed.received(WM_INITDIALOG));
    EXPECT_EQ(FindWindowA(nullptr, "Doomed"), nullptr);
    DialogLayout badClass = editorLikeForm();
    badClass.windowClass = Field::name(u"NoSuchDialogClass");
    EXPECT_EQ(runDialog(badClass, failed, owner), -1);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, nullptr, owner, scriptedProcedure, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST_F(DialogBoxTest, ProcedureResultsAndDefaultAnswers) {
    DialogLayout layout = editorLikeForm();
    layout.items = {control(u"STATIC", 1, 0, 30, 19, 310, 12, u"label")};
    DialogScript script;
    HBRUSH ownBrush = CreateSolidBrush(RGB(1, 2, 3));
    script.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_CTLCOLORSTATIC: return reinterpret_cast<INT_PTR>(ownBrush);  // the answer itself
        case WM_USER + 7: SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 42); return TRUE;
        case WM_USER + 8: SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 42); return FALSE;  // not handled
        default: return FALSE;
        }
    };
    expectWhileUp(layout, script, [ownBrush](HWND dialog) {
        EXPECT_EQ(SendMessageA(dialog, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1))),
                  reinterpret_cast<LRESULT>(ownBrush));
        EXPECT_EQ(SendMessageA(dialog, WM_USER + 7, 0, 0), 42);
        EXPECT_EQ(SendMessageA(dialog, WM_USER + 8, 0, 0), 0);
        EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
        RECT mapped{30, 19, 340, 31};
        EXPECT_TRUE(MapDialogRect(dialog, &mapped));
        EXPECT_EQ(asTuple(mapped), std::make_tuple(45, 31, 510, 50));
    });
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16));  // the system font's, whatever the dialog's
    DeleteObject(ownBrush);
}

TEST_F(DialogBoxTest, QuitEndsTheModalLoopAndStaysQueuedForTheOuterLoop) {
    DialogScript script;
    screen().addStep([] { PostQuitMessage(4); });
    runDialog(editorLikeForm(), script);
    EXPECT_FALSE(IsWindow(script.dialog));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u);
}

// The activation and focus sequences of a modal dialog over a dialog owner whose second
// field has the focus, as measured on Win32: however the dialog ends, even inside its
// WM_INITDIALOG or before it ever showed, the owner is activated again and its dialog
// manager gives the field its focus back.
TEST_F(DialogBoxTest, ActivationAndFocusPassToTheDialogAndBackToTheOwnersField) {
    using testmsg::Received;
    DialogLayout ownerSpec = editorLikeForm();
    ownerSpec.items = {control(u"EDIT", 11, WS_TABSTOP, 10, 10), control(u"EDIT", 12, WS_TABSTOP, 10, 30)};
    DialogLayout innerSpec = editorLikeForm();
    innerSpec.items = {control(u"EDIT", 21, WS_TABSTOP)};
    DialogScript owner, inner;
    HWND field = nullptr, innerField = nullptr;
    enum class Ending { InInitDialog, BeforeShowing, AfterShowing } ending{};
    inner.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            innerField = GetDlgItem(dialog, 21);
            testmsg::recordMessagesOf(innerField);
            if (ending == Ending::InInitDialog)
                EndDialog(dialog, 5);
            else
                PostMessageA(dialog, WM_USER + 2, 0, 0);
        }
        if (message == WM_USER + 2)
            EndDialog(dialog, 6);
        return message == WM_INITDIALOG;
    };
    auto h = [](HWND w) { return reinterpret_cast<WPARAM>(w); };
    auto l = [](HWND w) { return reinterpret_cast<LPARAM>(w); };
    auto join = [](std::initializer_list<std::vector<Received>> parts) {
        std::vector<Received> all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    // The owner o and the dialog d as Win32 has them talk, in the parts every ending shares.
    auto expected = [&](Ending e, HWND o, HWND d) {
        // The owner is disabled before the dialog's initialisation.
        const std::vector<Received> disable = {{o, WM_CANCELMODE, 0, 0},
                                               {o, WM_ENABLE, FALSE, 0},
                                               {d, WM_INITDIALOG, h(innerField), reinterpret_cast<LPARAM>(&inner)}};
        const std::vector<Received> enable = {{o, WM_ENABLE, TRUE, 0}};
        // Focusing the dialog's field activates the dialog, shown or not.
        const std::vector<Received> open = {
            {innerField, testmsg::kCbtSetFocus, 0, l(field)},
            {d, testmsg::kCbtActivate, FALSE, l(o)},
            {o, WM_NCACTIVATE, FALSE, l(d)},
            {o, WM_ACTIVATE, WA_INACTIVE, l(d)},
            {d, WM_NCACTIVATE, TRUE, l(o)},
            {d, WM_ACTIVATE, WA_ACTIVE, l(o)},
            {field, WM_KILLFOCUS, h(innerField), 0},
            {o, WM_COMMAND, MAKEWPARAM(12, EN_KILLFOCUS), l(field)},
            {innerField, WM_SETFOCUS, h(field), 0},
            {d, WM_COMMAND, MAKEWPARAM(21, EN_SETFOCUS), l(innerField)},
        };
        const std::vector<Received> show = {{d, WM_SHOWWINDOW, TRUE, 0}};
        // EndDialog takes the focus off the dialog's controls before passing the activation on.
        const std::vector<Received> unfocus = {
            {d, testmsg::kCbtSetFocus, 0, l(innerField)},
            {innerField, WM_KILLFOCUS, h(d), 0},
            {d, WM_COMMAND, MAKEWPARAM(21, EN_KILLFOCUS), l(innerField)},
            {d, WM_SETFOCUS, h(innerField), 0},
        };
        auto giveBack = [&](HWND focusBefore) {
            std::vector<Received> steps = {
                {o, testmsg::kCbtActivate, FALSE, l(d)},
                {d, WM_NCACTIVATE, FALSE, l(o)},
                {d, WM_ACTIVATE, WA_INACTIVE, l(o)},
                {o, WM_NCACTIVATE, TRUE, l(d)},
                {o, WM_ACTIVATE, WA_ACTIVE, l(d)},
                {field, testmsg::kCbtSetFocus, 0, l(focusBefore)},
                {focusBefore, WM_KILLFOCUS, h(field), 0},
            };
            if (focusBefore == innerField)
                steps.push_back({d, WM_COMMAND, MAKEWPARAM(21, EN_KILLFOCUS), l(innerField)});
            steps.push_back({field, WM_SETFOCUS, h(focusBefore), 0});
            steps.push_back({o, WM_COMMAND, MAKEWPARAM(12, EN_SETFOCUS), l(field)});
            return steps;
        };
        // Ended inside WM_INITDIALOG: the dialog still takes the focus and shows; destroying
        // it passes the activation back.
        if (e == Ending::InInitDialog)
            return join({disable, enable, open, show, giveBack(innerField)});
        if (e == Ending::BeforeShowing)
            return join({disable, open, enable, unfocus, giveBack(d)});
        return join({disable, open, show, enable, unfocus, giveBack(d)});
    };
    int runs = 0;
    owner.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            field = GetDlgItem(dialog, 12);
            testmsg::recordMessagesOf(field);
        }
        if (message == WM_USER + 1) {
            for (Ending e : {Ending::InInitDialog, Ending::BeforeShowing, Ending::AfterShowing}) {
                ending = e;
                innerSpec.style = editorLikeForm().style & ~(e == Ending::BeforeShowing ? WS_VISIBLE : 0u);
                testmsg::log().clear();
                EXPECT_EQ(runDialog(innerSpec, inner, dialog), e == Ending::InInitDialog ? 5 : 6);
                ++runs;
                EXPECT_EQ(testmsg::sequence({testmsg::kCbtActivate, testmsg::kCbtSetFocus, WM_NCACTIVATE, WM_ACTIVATE,
                                            WM_ACTIVATEAPP, WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE, WM_CANCELMODE,
                                            WM_SHOWWINDOW, WM_COMMAND, WM_INITDIALOG}),
                          expected(e, dialog, inner.dialog));
            }
            EndDialog(dialog, 1);
        }
        return message == WM_INITDIALOG;
    };
    screen().addStep([&] {
        SetFocus(field);  // as a click into the second field does
        PostMessageA(owner.dialog, WM_USER + 1, 0, 0);
    });
    testmsg::CbtRecorder hook;
    EXPECT_EQ(runDialog(ownerSpec, owner), 1);
    EXPECT_EQ(runs, 3);
}
