// addControl: the kinds table as it shows in the control records of a described dialog,
// and the controls created at once in a plain window.
#include "colours.h"
#include "dialogs.h"
#include "messages.h"

#include "ui_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

class ControlRecords : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        createDialog(dialog, 0, 7, 795, 440, 0x80C80080, nullptr, "Kinds", nullptr);
    }
    void TearDown() override { freeDialogs(); }

    const ControlRecord& record(int32_t id) {
        for (const ControlRecord* r = dialog.header->controls; r; r = r->next)
            if (r->id == id) return *r;
        ADD_FAILURE() << "no record with id " << id;
        static ControlRecord none;
        return none;
    }

    DialogObject dialog;
};

TEST_F(ControlRecords, StylesFollowTheKindsRules) {
    struct Row {
        int32_t kind;
        uint32_t requested;
        const char* className;
        uint32_t style;
        uint32_t extendedStyle;
        int32_t defaultButton;
    };
    // The rules addControl applies on top of the kind's class and style.
    const Row rows[] = {
        {kindEdit, 0x50002000, "EDIT", 0x50802000, 0x200, 0},  // WS_BORDER added, ES_NUMBER kept
        {kindCommandButton, 0x50000001, "BUTTON", 0x5000000B, 0, 1},  // owner-drawn replaces BS_DEFPUSHBUTTON
        {kindPlainButton, 0x50000001, "BUTTON", 0x50000001, 0, 1},
        {kindCommandButton, BS_BITMAP, "BUTTON", 0x50000080, 0, 0},  // not owner-drawn
        // The hidden bit has WS_SYSMENU's value: a requested style never carries it into a control.
        {kindLabel, hiddenControlBit | SS_NOTIFY, "STATIC", WS_CHILD | SS_NOTIFY, 0, 0},
        {kindLabel, SS_NOTIFY, "STATIC", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0},
        // Rich edits and tree views get the client edge only when a border is asked for.
        {kindRichEdit, 0, "RichEdit", 0x50000000, 0, 0},
        {kindRichEdit, WS_BORDER, "RichEdit", 0x50800000, 0x200, 0},
        {99, 0, "", 0x50000000, 0, 0},
    };
    int32_t id = 100;
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "kind " << row.kind << " style " << std::hex << row.requested);
        addControl(dialog, row.kind, "text", 45, 31, 465, 19, row.requested, ++id);
        const ControlRecord& r = record(id);
        EXPECT_EQ(r.kind, row.kind);
        EXPECT_STREQ(r.className, row.className);
        EXPECT_EQ(r.style, row.style);
        EXPECT_EQ(r.extendedStyle, row.extendedStyle);
        EXPECT_EQ(r.defaultButton, row.defaultButton);
        EXPECT_EQ(std::make_tuple(r.x, r.y, r.width, r.height), std::make_tuple(30, 19, 310, 12));
    }
    EXPECT_TRUE(commonControlsInitialised);
}

TEST_F(ControlRecords, TheFirstControlWithAnIdWinsAndOrderAndACopyOfTheTextAreKept) {
    char first[] = "first";
    addControl(dialog, kindLabel, first, 45, 31, 465, 19, 0, 5);
    first[0] = 'X';
    addControl(dialog, kindEdit, "second", 0, 0, 60, 26, 0, 5);
    addControl(dialog, kindEdit, "third", 0, 0, 60, 26, 0, 3);
    const ControlRecord& kept = record(5);
    EXPECT_EQ(kept.kind, kindLabel);
    EXPECT_EQ(kept.width, 310);
    std::string order;
    for (const ControlRecord* r = dialog.header->controls; r; r = r->next) order += std::string(r->text) + ";";
    EXPECT_EQ(order, "first;third;");
}

TEST_F(ControlRecords, FreeDialogsReleasesEveryDescription) {
    DialogObject second;
    createDialog(second, 0, 0, 100, 100, 0, &dialog, "Second", nullptr);
    addControl(dialog, kindLabel, "text", 0, 0, 10, 10, 0, 1);
    freeDialogs();
    EXPECT_EQ(dialog.header, nullptr);
    EXPECT_EQ(second.header, nullptr);
    EXPECT_EQ(dialogRegistry, nullptr);
    EXPECT_EQ(showModal(dialog, nullptr), 0);
    EXPECT_EQ(showModal(second, nullptr), 0);
    DialogObject windowObject;  // a plain window object is no dialog either
    EXPECT_EQ(showModal(windowObject, nullptr), 0);
}

// A window object of the window runtime gets its controls at once, coloured, and its
// client-area window is fitted above a status bar.
LRESULT CALLBACK plainProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

TEST(ImmediateControls, AWindowObjectGetsItsControlsAtOnce) {
    display::installHeadless();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = plainProcedure;
    windowClass.lpszClassName = "FormsTestFrame";
    RegisterClassExA(&windowClass);
    windowClass.lpszClassName = "msctls_statusbar32";  // stands in for the common control
    RegisterClassExA(&windowClass);

    DialogObject frame;
    addControl(frame, kindEdit, "nowhere", 0, 0, 10, 10, 0, 4);  // no window yet: nothing happens

    frame.window = CreateWindowExA(0, "FormsTestFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                   nullptr, nullptr, nullptr, nullptr);
    frame.clientWindow = CreateWindowExA(0, "FormsTestFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame.window,
                                         reinterpret_cast<HMENU>(99), nullptr, nullptr);
    ASSERT_NE(frame.window, nullptr);
    addControl(frame, kindEdit, "at once", 10, 10, 100, 20, 0, 4);
    HWND edit = GetDlgItem(frame.window, 4);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(testui::windowText(edit), "at once");
    EXPECT_EQ(static_cast<uint32_t>(GetWindowLongA(edit, GWL_STYLE)) & (WS_CHILD | WS_VISIBLE),
              static_cast<uint32_t>(WS_CHILD | WS_VISIBLE));
    EXPECT_NE(GetPropA(edit, "LPFN"), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(controlSubclass));

    addControl(frame, kindEdit, "again", 10, 40, 100, 20, 0, 4);  // the id is taken
    EXPECT_EQ(testui::windowText(GetDlgItem(frame.window, 4)), "at once");

    addControl(frame, kindStatusBar, "", 0, 0, 0, 0, 0, 5);
    HWND bar = GetDlgItem(frame.window, 5);
    ASSERT_NE(bar, nullptr);
    MoveWindow(bar, 0, 0, 50, 22, FALSE);
    EXPECT_EQ(layoutClientArea(frame.window, frame.clientWindow), 1);
    RECT client{}, area{};
    GetClientRect(frame.window, &client);
    GetClientRect(frame.clientWindow, &area);
    EXPECT_EQ(area.right, client.right);
    EXPECT_EQ(area.bottom, client.bottom - 22);
    DestroyWindow(frame.window);
}

}  // namespace
