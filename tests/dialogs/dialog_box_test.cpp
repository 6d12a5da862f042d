// Modal dialogs from templates on the headless display: geometry, creation order,
// failure, the dialog procedure contract, ending and nesting, and the owner.
#include "dialog_script.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace testdialogs;

namespace {

auto asTuple(const RECT& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); }

class DialogBoxTest : public ::testing::Test {
protected:
    void SetUp() override { display::installHeadless(); }
    display::HeadlessBackend& screen() { return testui::headless(); }

    // A top-level window to own dialogs.
    HWND createOwner() {
        static ATOM atom = [] {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = DefWindowProcA;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
            wc.lpszClassName = "DialogTestOwner";
            return RegisterClassExA(&wc);
        }();
        EXPECT_NE(atom, 0);
        HWND owner = CreateWindowExA(0, "DialogTestOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400,
                                     300, nullptr, nullptr, nullptr, nullptr);
        EXPECT_NE(owner, nullptr);
        return owner;
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

// Programs copy it for their own dialog class; the forms tests show dialogs of such a copy.
TEST_F(DialogBoxTest, PredefinedDialogClass) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(nullptr, WC_DIALOG, &wc));
    EXPECT_EQ(wc.lpfnWndProc, DefDlgProcA);
    EXPECT_EQ(wc.cbWndExtra, DLGWINDOWEXTRA);
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(wc.style & (CS_DBLCLKS | CS_SAVEBITS), static_cast<UINT>(CS_DBLCLKS | CS_SAVEBITS));
    EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(DialogBoxTest, WindowAndControlsAtTheMeasuredPixelRectangles) {
    DialogLayout layout = editorLikeForm();
    layout.items = {
        control(u"STATIC", 1, SS_NOTIFY, 30, 19, 310, 12, u"1 label"),
        control(u"EDIT", 6, ES_AUTOHSCROLL, 100, 40, 200, 12),
        control(u"BUTTON", 40, BS_GROUPBOX, 10, 60, 100, 50, u"Group"),
        control(u"BUTTON", 34, BS_OWNERDRAW, 400, 240, 50, 14, u"Up"),
    };
    layout.items[1].exStyle = WS_EX_CLIENTEDGE;
    DialogScript script;
    RECT client{}, window{}, label{}, edit{}, group{}, button{};
    POINT clientOrigin{};
    screen().addStep([&] {
        HWND dialog = script.dialog;
        GetClientRect(dialog, &client);
        GetWindowRect(dialog, &window);
        ClientToScreen(dialog, &clientOrigin);
        label = rectInParent(GetDlgItem(dialog, 1));
        edit = rectInParent(GetDlgItem(dialog, 6));
        group = rectInParent(GetDlgItem(dialog, 40));
        button = rectInParent(GetDlgItem(dialog, 34));
        EndDialog(dialog, 7);
    });
    ASSERT_EQ(runDialog(layout, script), 7);

    EXPECT_EQ(client.right, 795);
    EXPECT_EQ(client.bottom, 440);
    EXPECT_EQ(window.right - window.left, 801);
    EXPECT_EQ(window.bottom - window.top, 465);
    EXPECT_EQ(clientOrigin.x - window.left, 3);
    EXPECT_EQ(clientOrigin.y - window.top, 22);
    // Its client area would start at (0, 7), which puts the frame off the screen: the
    // window is kept on the work area.
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);
    // Each of x, y, cx and cy is converted on its own.
    EXPECT_EQ(asTuple(label), std::make_tuple(45, 31, 510, 51));
    EXPECT_EQ(asTuple(edit), std::make_tuple(150, 65, 450, 85));
    EXPECT_EQ(asTuple(group), std::make_tuple(15, 98, 165, 179));
    EXPECT_EQ(asTuple(button), std::make_tuple(600, 390, 675, 413));
}

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
    POINT relative{}, absolute{};
    DialogScript first, second;
    screen().addStep([&] {
        ClientToScreen(first.dialog, &relative);
        EndDialog(first.dialog, 1);
    });
    runDialog(layout, first, owner);
    layout.style |= DS_ABSALIGN;
    screen().addStep([&] {
        ClientToScreen(second.dialog, &absolute);
        EndDialog(second.dialog, 1);
    });
    runDialog(layout, second, owner);
    EXPECT_EQ(relative.x, ownerClient.x + 30);
    EXPECT_EQ(relative.y, ownerClient.y + 26);
    EXPECT_EQ(absolute.x, 30);
    EXPECT_EQ(absolute.y, 26);
    DestroyWindow(owner);
}

TEST_F(DialogBoxTest, InitialisationComesAfterEveryControlHasItsFont) {
    DialogLayout layout = editorLikeForm();
    layout.items = {control(u"STATIC", 1, 0), control(u"EDIT", 6, 0), control(u"EDIT", 7, WS_TABSTOP),
                  control(u"BUTTON", 8, BS_OWNERDRAW), control(u"ProbeControl", 9, 0)};
    registerProbeControl();
    DialogScript script;
    bool allControlsExisted = false, allHadTheFont = false;
    ProbeRecord probeAtInit;
    HFONT dialogFont = nullptr;
    WPARAM initFocus = 0;
    HWND firstTabStop = nullptr;
    LPARAM initParam = 0;
    script.onMessage = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message != WM_INITDIALOG)
            return FALSE;
        dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        allControlsExisted = allHadTheFont = true;
        for (int id : {1, 6, 7, 8, 9})
            allControlsExisted = allControlsExisted && GetDlgItem(dialog, id);
        for (int id : {1, 8, 9})
            allHadTheFont = allHadTheFont &&
                            reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(dialog, id), WM_GETFONT, 0, 0)) == dialogFont;
        probeAtInit = probes()[GetDlgItem(dialog, 9)];
        initFocus = wParam;
        firstTabStop = GetDlgItem(dialog, 7);
        initParam = lParam;
        return TRUE;
    };
    screen().addStep([&] { EndDialog(script.dialog, 1); });
    runDialog(layout, script);
    EXPECT_TRUE(allControlsExisted);
    EXPECT_NE(dialogFont, nullptr);
    EXPECT_TRUE(allHadTheFont);
    EXPECT_EQ(probeAtInit.fontMessages, 1);
    EXPECT_EQ(probeAtInit.font, dialogFont);
    EXPECT_EQ(initParam, reinterpret_cast<LPARAM>(&script));
    EXPECT_EQ(initFocus, reinterpret_cast<WPARAM>(firstTabStop));
    ASSERT_FALSE(script.messages.empty());
    EXPECT_EQ(script.messages.front(), static_cast<UINT>(WM_INITDIALOG));
}

TEST_F(DialogBoxTest, FailedCreationReturnsMinusOneAndLeavesNothingBehind) {
    HWND owner = createOwner();
    DialogScript script;
    DialogLayout badControl = editorLikeForm();
    badControl.title = u"Doomed";
    badControl.items = {control(u"STATIC", 1, 0), control(u"NoSuchClass", 2, 0)};
    EXPECT_EQ(runDialog(badControl, script, owner), -1);
    EXPECT_FALSE(script.received(WM_INITDIALOG));
    EXPECT_EQ(FindWindowA(nullptr, "Doomed"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));

    DialogLayout badClass = editorLikeForm();
    badClass.windowClass = Field::name(u"NoSuchDialogClass");
    EXPECT_EQ(runDialog(badClass, script, owner), -1);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, nullptr, owner, scriptedProcedure, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST_F(DialogBoxTest, OwnerIsDisabledFromInitialisationUntilTheEnd) {
    HWND owner = createOwner();
    DialogScript script;
    bool enabledAtInit = true, enabledWhileUp = true;
    script.onMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            enabledAtInit = IsWindowEnabled(owner);
        return message == WM_INITDIALOG;
    };
    screen().addStep([&] {
        enabledWhileUp = IsWindowEnabled(owner);
        EndDialog(script.dialog, 1);
    });
    // The dialog's owner is the top-level window even when a child is given.
    HWND child = CreateWindowExA(0, "DialogTestOwner", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, owner, nullptr,
                                 nullptr, nullptr);
    EXPECT_EQ(runDialog(editorLikeForm(), script, child), 1);
    EXPECT_FALSE(enabledAtInit);
    EXPECT_FALSE(enabledWhileUp);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_FALSE(IsWindow(script.dialog));
    DestroyWindow(owner);
}

TEST_F(DialogBoxTest, ProcedureResultsAndDefaultAnswers) {
    DialogLayout layout = editorLikeForm();
    layout.items = {control(u"STATIC", 1, 0, 30, 19, 310, 12, u"label"), control(u"EDIT", 6, 0)};
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
    LRESULT colour = 0, handled = 0, unhandled = -1, defaultId = 0;
    RECT mapped{30, 19, 340, 31};
    BOOL mappedOk = FALSE;
    std::string text(16, '\0');
    UINT textLength = 0, missingLength = 99;
    BOOL setMissing = TRUE;
    char missing[8] = "x";
    screen().addStep([&] {
        HWND dialog = script.dialog;
        colour = SendMessageA(dialog, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1)));
        handled = SendMessageA(dialog, WM_USER + 7, 0, 0);
        unhandled = SendMessageA(dialog, WM_USER + 8, 0, 0);
        defaultId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        mappedOk = MapDialogRect(dialog, &mapped);
        SetDlgItemTextA(dialog, 6, "typed");
        textLength = GetDlgItemTextA(dialog, 6, text.data(), static_cast<int>(text.size()));
        setMissing = SetDlgItemTextA(dialog, 99, "nothing");
        missingLength = GetDlgItemTextA(dialog, 99, missing, sizeof missing);
        EndDialog(dialog, 1);
    });
    runDialog(layout, script);
    EXPECT_EQ(colour, reinterpret_cast<LRESULT>(ownBrush));
    EXPECT_EQ(handled, 42);
    EXPECT_EQ(unhandled, 0);
    EXPECT_EQ(defaultId, MAKELRESULT(IDOK, DC_HASDEFID));
    EXPECT_TRUE(mappedOk);
    EXPECT_EQ(asTuple(mapped), std::make_tuple(45, 31, 510, 50));
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 13));
    EXPECT_EQ(textLength, 5u);
    EXPECT_STREQ(text.c_str(), "typed");
    EXPECT_FALSE(setMissing);
    EXPECT_EQ(missingLength, 0u);
    EXPECT_STREQ(missing, "");
    DeleteObject(ownBrush);
}

TEST_F(DialogBoxTest, WmCloseLeftToTheDefaultBecomesCancel) {
    DialogScript script;
    script.onMessage = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 2);
        return message == WM_INITDIALOG;
    };
    screen().addStep([&] { PostMessageA(script.dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(runDialog(editorLikeForm(), script), 2);
    ASSERT_EQ(script.commands.size(), 1u);
    EXPECT_EQ(script.commands[0].wParam, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(script.commands[0].lParam, 0);
    EXPECT_TRUE(script.received(WM_CLOSE));
}

// A dialog shown from inside another disables it while up; when it ends, its result comes
// back and the focus returns to the control of the outer dialog that had it.
TEST_F(DialogBoxTest, ADialogShownFromInsideAnother) {
    DialogLayout outerSpec = editorLikeForm();
    outerSpec.items = {control(u"EDIT", 6, 0, 10, 10), control(u"EDIT", 7, 0, 10, 30)};
    DialogScript outer, inner;
    INT_PTR innerResult = 0;
    bool outerEnabledDuringInner = true, outerEnabledAfterInner = false;
    inner.onMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            outerEnabledDuringInner = IsWindowEnabled(outer.dialog);
        return message == WM_INITDIALOG;
    };
    outer.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_USER + 1) {
            innerResult = runDialog(editorLikeForm(), inner, dialog);
            outerEnabledAfterInner = IsWindowEnabled(dialog);
        }
        return message == WM_INITDIALOG;
    };
    HWND focusBefore = nullptr, focusAfter = nullptr, second = nullptr;
    screen().addStep([&] {
        second = GetDlgItem(outer.dialog, 7);
        SetFocus(second);  // as a click into the second field does
    });
    screen().addStep([&] {
        focusBefore = GetFocus();
        PostMessageA(outer.dialog, WM_USER + 1, 0, 0);
    });
    screen().addStep([&] { EndDialog(inner.dialog, 5); });
    screen().addStep([&] {
        focusAfter = GetFocus();
        EndDialog(outer.dialog, 6);
    });
    EXPECT_EQ(runDialog(outerSpec, outer), 6);
    EXPECT_EQ(innerResult, 5);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_TRUE(outerEnabledAfterInner);
    ASSERT_EQ(focusBefore, second);
    EXPECT_EQ(focusAfter, second);
    EXPECT_FALSE(IsWindow(inner.dialog));
    EXPECT_FALSE(IsWindow(outer.dialog));
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
