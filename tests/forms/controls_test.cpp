// addControl: the kinds table as it shows in the control records of a described dialog,
// and the controls created at once in a plain window.
#include "colours.h"
#include "dialogs.h"
#include "messages.h"

#include "ui_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ControlRecords : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        createDialog(dialog, 0, 7, 795, 440, 0x80C80080, nullptr, "Kinds", nullptr);
    }
    void TearDown() override { freeDialogs(); }

    const ControlRecord& added(int32_t kind, uint32_t style, int32_t id, const char* text = "text") {
        addControl(dialog, kind, text, 45, 31, 465, 19, style, id);
        return record(id);
    }
    const ControlRecord& record(int32_t id) {
        for (const ControlRecord* r = dialog.header->controls; r; r = r->next)
            if (r->id == id) return *r;
        ADD_FAILURE() << "no record with id " << id;
        static ControlRecord none;
        return none;
    }

    DialogObject dialog;
};

TEST_F(ControlRecords, CreateDialogDescribesTheEditorFormInDialogUnits) {
    DialogHeader& header = *dialog.header;
    EXPECT_EQ(dialog.isDialog, 1);
    EXPECT_EQ(header.style, 0x90C800C0u);
    EXPECT_EQ(header.baseUnitX, 6);
    EXPECT_EQ(header.baseUnitY, 13);
    EXPECT_EQ(header.x, 0);
    EXPECT_EQ(header.y, 4);
    EXPECT_EQ(header.width, 530);
    EXPECT_EQ(header.height, 271);
    EXPECT_STREQ(header.title, "Kinds");
    EXPECT_EQ(dialog.cursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_NE(dialogClassAtom, 0);
}

TEST_F(ControlRecords, TheEditorsKindsKeepTheirRequestedStyles) {
    const ControlRecord& label = added(kindLabel, 0x5000010B, 1, "1 Key words");
    EXPECT_EQ(label.style, 0x5000010Bu);
    EXPECT_EQ(label.extendedStyle, 0u);
    EXPECT_STREQ(label.className, "STATIC");
    EXPECT_STREQ(label.text, "1 Key words");
    EXPECT_EQ(label.x, 30);
    EXPECT_EQ(label.y, 19);
    EXPECT_EQ(label.width, 310);
    EXPECT_EQ(label.height, 12);

    const ControlRecord& edit = added(kindEdit, 0x50800000, 6);
    EXPECT_EQ(edit.style, 0x50800000u);
    EXPECT_EQ(edit.extendedStyle, 0x200u);
    EXPECT_STREQ(edit.className, "EDIT");

    const ControlRecord& number = added(kindEdit, 0x50002000, 7);
    EXPECT_EQ(number.style, 0x50802000u);  // WS_BORDER added, ES_NUMBER kept

    const ControlRecord& group = added(kindGroupBox, 0x50000007, 8);
    EXPECT_EQ(group.style, 0x50000007u);
    EXPECT_STREQ(group.className, "BUTTON");

    const ControlRecord& button = added(kindCommandButton, 0x50000000, 34);
    EXPECT_EQ(button.style, 0x5000000Bu);
    EXPECT_EQ(button.defaultButton, 0);
    EXPECT_EQ(button.kind, kindCommandButton);
}

TEST_F(ControlRecords, DefaultButtonsAreRememberedBesideTheirStyle) {
    const ControlRecord& owned = added(kindCommandButton, 0x50000001, 10);
    EXPECT_EQ(owned.style, 0x5000000Bu);  // the owner-drawn type replaces BS_DEFPUSHBUTTON
    EXPECT_EQ(owned.defaultButton, 1);

    const ControlRecord& plain = added(kindPlainButton, 0x50000001, 11);
    EXPECT_EQ(plain.style, 0x50000001u);
    EXPECT_EQ(plain.defaultButton, 1);
    EXPECT_STREQ(plain.className, "BUTTON");

    const ControlRecord& bitmap = added(kindCommandButton, BS_BITMAP, 12, "101");
    EXPECT_EQ(bitmap.style, 0x50000080u);  // not owner-drawn
    EXPECT_EQ(bitmap.defaultButton, 0);
}

TEST_F(ControlRecords, EveryKindOfTheTable) {
    struct Row {
        int32_t kind;
        const char* className;
        uint32_t style;
        uint32_t extendedStyle;
    };
    const Row rows[] = {
        {2, "BUTTON", 0x50000003, 0},
        {3, "BUTTON", 0x50000009, 0},
        {5, "LISTBOX", 0x50800140, 0x200},
        {6, "COMBOBOX", 0x50800600, 0x200},
        {8, "SCROLLBAR", 0x50000000, 0},
        {10, "RichEdit", 0x50000000, 0},
        {11, "SysListView32", 0x50000000, 0},
        {12, "msctls_statusbar32", 0x50000000, 0},
        {14, "SysTreeView32", 0x50000000, 0},
        {99, "", 0x50000000, 0},
    };
    int32_t id = 100;
    for (const Row& row : rows) {
        const ControlRecord& r = added(row.kind, 0, ++id);
        EXPECT_STREQ(r.className, row.className) << row.kind;
        EXPECT_EQ(r.style, row.style) << row.kind;
        EXPECT_EQ(r.extendedStyle, row.extendedStyle) << row.kind;
        EXPECT_EQ(r.defaultButton, 0) << row.kind;
    }
    // Rich edits and tree views get the client edge only when a border is asked for.
    EXPECT_EQ(added(kindRichEdit, WS_BORDER, 200).extendedStyle, 0x200u);
    EXPECT_EQ(added(kindTreeView, WS_BORDER, 201).extendedStyle, 0x200u);
    EXPECT_EQ(added(kindListView, WS_BORDER, 202).extendedStyle, 0u);
    EXPECT_TRUE(commonControlsInitialised);
}

TEST_F(ControlRecords, HiddenControlsLoseTheHiddenBitAndVisibility) {
    const ControlRecord& hidden = added(kindLabel, 0x80000 | 0x100, 20);
    EXPECT_EQ(hidden.style, static_cast<uint32_t>(WS_CHILD | SS_NOTIFY));
    // WS_SYSMENU has the same value: a requested style can never carry it into a control.
    const ControlRecord& visible = added(kindLabel, 0x100, 21);
    EXPECT_EQ(visible.style, static_cast<uint32_t>(WS_CHILD | WS_VISIBLE | SS_NOTIFY));
}

TEST_F(ControlRecords, TheFirstControlWithAnIdWinsAndOrderIsKept) {
    added(kindLabel, 0, 5, "first");
    addControl(dialog, kindEdit, "second", 0, 0, 60, 26, 0, 5);
    added(kindEdit, 0, 3, "third");
    const ControlRecord& kept = record(5);
    EXPECT_EQ(kept.kind, kindLabel);
    EXPECT_STREQ(kept.text, "first");
    EXPECT_EQ(kept.width, 310);
    std::string order;
    int count = 0;
    for (const ControlRecord* r = dialog.header->controls; r; r = r->next, ++count) order += r->text;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(order, "firstthird");
}

TEST_F(ControlRecords, TheRecordOwnsACopyOfTheText) {
    char text[] = "mutable";
    addControl(dialog, kindLabel, text, 0, 0, 10, 10, 0, 9);
    text[0] = 'X';
    EXPECT_STREQ(record(9).text, "mutable");
}

TEST_F(ControlRecords, FreeDialogsReleasesEveryDescription) {
    DialogObject second;
    createDialog(second, 0, 0, 100, 100, 0, &dialog, "Second", nullptr);
    added(kindLabel, 0, 1);
    freeDialogs();
    EXPECT_EQ(dialog.header, nullptr);
    EXPECT_EQ(second.header, nullptr);
    EXPECT_EQ(dialogRegistry, nullptr);
    EXPECT_EQ(showModal(dialog, nullptr), 0);
    EXPECT_EQ(showModal(second, nullptr), 0);
    // A plain window object is no dialog either.
    DialogObject windowObject;
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
