// addControl's records of a described dialog, and freeDialogs, which every run of the
// editor ends with.

#include "forms/controls.h"
#include "forms/dialog_description.h"
#include "forms/dialog_registry.h"
#include "forms/forms_state.h"
#include "forms/modal_display.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

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

// The picture of the editor form shows every other style rule its controls meet; this
// one only shows when a letter typed into a number field is refused.
TEST_F(ControlRecords, AnEditKeepsItsDigitsOnlyStyle) {
    addControl(dialog, kindEdit, "text", 45, 31, 465, 19, WS_CHILD | WS_VISIBLE | ES_NUMBER, 6);
    EXPECT_STREQ(record(6).className, "EDIT");
    EXPECT_EQ(record(6).style, static_cast<uint32_t>(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER));
}

TEST_F(ControlRecords, FreeDialogsReleasesEveryDescription) {
    DialogObject second;
    createDialog(second, 0, 0, 100, 100, 0, &dialog, "Second", nullptr);
    addControl(dialog, kindLabel, "text", 0, 0, 10, 10, 0, 1);
    freeDialogs();
    EXPECT_EQ(dialog.header, nullptr);
    EXPECT_EQ(second.header, nullptr);
    EXPECT_EQ(formsState().dialogRegistry, nullptr);
    EXPECT_EQ(showModal(dialog, nullptr), 0);
    EXPECT_EQ(showModal(second, nullptr), 0);
    DialogObject windowObject;  // a plain window object is no dialog either
    EXPECT_EQ(showModal(windowObject, nullptr), 0);
}

}  // namespace
