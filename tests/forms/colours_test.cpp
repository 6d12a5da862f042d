// attachControlColours and the three subclasses on windows of a test class, whose own
// procedure is known: properties by kind, colour requests, Tab and Enter notifications,
// and what a control leaves behind when it is destroyed.
#include "colours.h"
#include "dialogs.h"

#include "message_recorder.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Answers WM_GETFONT with the font in its "TESTFONT" property, and records commands.
LRESULT CALLBACK testProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(GetPropA(window, "TESTFONT"));
    if (message == WM_COMMAND) testmsg::record(window, message, wParam, lParam);
    if (message == WM_CHAR) return 42;  // the control's own handling of a character
    return DefWindowProcA(window, message, wParam, lParam);
}

class Subclassing : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        testmsg::log().clear();
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = testProcedure;
        windowClass.lpszClassName = "FormsColourTest";
        RegisterClassExA(&windowClass);
        parent = CreateWindowExA(0, "FormsColourTest", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND child(int id) {
        return CreateWindowExA(0, "FormsColourTest", "child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }
    static COLORREF colour(HWND window, const char* name) {
        return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(window, name)));
    }

    HWND parent = nullptr;
};

TEST_F(Subclassing, ColourRequestsAreAnsweredFromTheProperties) {
    HWND edit = child(4);
    HWND bar = child(8);
    attachControlColours(edit, kindEdit);
    attachControlColours(bar, kindScrollBar);
    HDC dc = GetDC(edit);
    for (UINT request : {static_cast<UINT>(reflectedColourRequest), static_cast<UINT>(WM_CTLCOLOREDIT),
                         static_cast<UINT>(WM_CTLCOLORLISTBOX)}) {
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        LRESULT brush = SendMessageA(edit, request, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetPropA(edit, "BBRUSH")));
        EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_BTNTEXT));
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
    }
    // A scroll bar leaves its background to the platform.
    EXPECT_EQ(SendMessageA(bar, reflectedColourRequest, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(edit, dc);
}

TEST_F(Subclassing, TabAndEnterAreReportedOnlyWhenAsked) {
    HWND edit = child(5);
    attachControlColours(edit, kindEdit);
    EXPECT_EQ(SendMessageA(edit, WM_CHAR, VK_TAB, 0), 42);  // passed on
    EXPECT_TRUE(testmsg::log().empty());

    SetPropA(edit, "NOTIFY_TAB", reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(SendMessageA(edit, WM_CHAR, VK_TAB, 0), 1);
    EXPECT_EQ(SendMessageA(edit, WM_CHAR, VK_RETURN, 0), 42);
    SetPropA(edit, "NOTIFY_ENTER", reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(SendMessageA(edit, WM_CHAR, VK_RETURN, 0), 1);
    EXPECT_EQ(SendMessageA(edit, WM_CHAR, 'a', 0), 42);
    const LPARAM from = reinterpret_cast<LPARAM>(edit);
    EXPECT_EQ(testmsg::log(), (std::vector<testmsg::Received>{{parent, WM_COMMAND, 0x0A010005u, from},
                                                             {parent, WM_COMMAND, 0x0A000005u, from}}));

    // Labels and buttons do not report keys.
    HWND label = child(6);
    attachControlColours(label, kindLabel);
    SetPropA(label, "NOTIFY_TAB", reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(SendMessageA(label, WM_CHAR, VK_TAB, 0), 42);
    EXPECT_EQ(testmsg::log().size(), 2u);
}

TEST_F(Subclassing, DestructionLeavesTheControlAsItWasAndKeepsTheSharedFont) {
    HFONT shared = CreateFontA(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    HFONT own = CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    SetPropA(parent, "TESTFONT", shared);
    LOGFONTA description{};

    int id = 10;
    for (int32_t kind : {kindEdit, kindCommandButton, kindLabel}) {
        SCOPED_TRACE(kind);
        HWND control = child(id++);
        attachControlColours(control, kind);
        SetPropA(control, "NOTIFY_TAB", reinterpret_cast<HANDLE>(1));
        SetPropA(control, "TESTFONT", shared);
        SendMessageA(control, WM_DESTROY, 0, 0);
        for (const char* name : {"LPFN", "FGRND", "BGRND", "BBRUSH"}) EXPECT_EQ(GetPropA(control, name), nullptr) << name;
        EXPECT_EQ(GetPropA(control, "NOTIFY_TAB") == nullptr, kind == kindEdit);
        EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(testProcedure));
        EXPECT_NE(GetObjectA(shared, sizeof description, &description), 0) << "the dialog's font survives";
    }

    // A font the control owns alone goes with it.
    HWND control = child(20);
    attachControlColours(control, kindEdit);
    SetPropA(control, "TESTFONT", own);
    SendMessageA(control, WM_DESTROY, 0, 0);
    EXPECT_EQ(GetObjectA(own, sizeof description, &description), 0);
    DeleteObject(shared);
}

TEST(ImageNames, PathsNumbersAndNames) {
    ImageSource file = imageSourceFor("C:\\pictures\\up.bmp");
    EXPECT_EQ(file.flags, static_cast<UINT>(LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    EXPECT_EQ(file.module, nullptr);
    EXPECT_STREQ(file.name, "C:\\pictures\\up.bmp");

    ImageSource absolute = imageSourceFor("/usr/share/up.bmp");
    EXPECT_EQ(absolute.flags, static_cast<UINT>(LR_CREATEDIBSECTION | LR_LOADFROMFILE));

    ImageSource resource = imageSourceFor("101");
    EXPECT_EQ(resource.flags, static_cast<UINT>(LR_CREATEDIBSECTION));
    EXPECT_EQ(resource.module, GetModuleHandleA(nullptr));
    EXPECT_EQ(resource.name, MAKEINTRESOURCEA(101));
    EXPECT_EQ(imageSourceFor("2.5").name, MAKEINTRESOURCEA(2));  // halves to even
    EXPECT_EQ(imageSourceFor("3.5").name, MAKEINTRESOURCEA(4));

    for (const char* named : {"0", "arrow", "-3"}) {
        ImageSource byName = imageSourceFor(named);
        EXPECT_STREQ(byName.name, named);
        EXPECT_EQ(byName.module, GetModuleHandleA(nullptr));
        EXPECT_EQ(byName.flags, static_cast<UINT>(LR_CREATEDIBSECTION));
    }
}

}  // namespace
