// A small dialog built like the editor's form, on the headless display: the whole chain
// from description to template, coloured and subclassed controls, and events reaching the
// handler through the EventContext, also while the handler is still busy with another.
#include "colours.h"
#include "dialogs.h"
#include "events.h"
#include "messages.h"
#include "screen_helpers.h"
#include "text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

enum Id : int32_t {
    keyLabel = 1,
    countLabel = 2,
    keyField = 6,
    countField = 7,
    group = 20,
    upButton = 34,
    downButton = 35,
    okButton = 40,
};

struct Event {
    int32_t message;
    int32_t controlId;
    int32_t notifyCode;
    WPARAM wParam;
    LPARAM lParam;
};

DialogObject demo;
std::vector<Event> events;
std::function<void()> reaction;  // runs inside the handler, after the event was logged

Event current() {
    return {eventContext.message, eventContext.controlId, eventContext.notifyCode, eventContext.wParam,
            eventContext.lParam};
}

int32_t loggingHandler() {
    events.push_back(current());
    if (reaction) reaction();
    return 0;
}

HWND control(int32_t id) { return GetDlgItem(demo.window, id); }

bool hasCommand(int32_t id, int32_t notifyCode) {
    for (const Event& e : events)
        if (e.message == commandMessage && e.controlId == id && e.notifyCode == notifyCode) return true;
    return false;
}

std::vector<uint8_t> templateOf(const DialogHeader& header) {
    std::vector<uint8_t> block(measureTemplate(header));
    buildTemplate(block.data(), header);
    return block;
}

class Demonstration : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        initTextHeap();
        events.clear();
        reaction = nullptr;
        // Every control kind the editor uses: labels that notify, edit fields with and
        // without ES_NUMBER, a group box and owner-drawn command buttons.
        createDialog(demo, 0, 7, 420, 250, 0x80C80080, nullptr, "Forms demonstration", loggingHandler);
        addControl(demo, kindGroupBox, "Entry", 9, 4, 402, 110, 0x50000007, group);
        addControl(demo, kindLabel, "1 Key words", 21, 30, 99, 19, 0x5000010B, keyLabel);
        addControl(demo, kindEdit, "", 129, 30, 270, 19, 0x50800000, keyField);
        addControl(demo, kindLabel, "2 Count", 21, 62, 99, 19, 0x5000010B, countLabel);
        addControl(demo, kindEdit, "12", 129, 62, 81, 19, 0x50802000, countField);
        addControl(demo, kindCommandButton, "Up", 21, 140, 81, 29, 0x50000000, upButton);
        addControl(demo, kindCommandButton, "Down", 111, 140, 81, 29, 0x50000000, downButton);
        addControl(demo, kindCommandButton, "OK", 318, 190, 81, 29, 0x50000000, okButton);
    }
    void TearDown() override { freeDialogs(); }

    display::HeadlessBackend& screen() { return testui::headless(); }
    // Ends the display from a test step, as a handler would.
    void closeWith(INT_PTR result) {
        screen().addStep([result] { closeDialog(demo, result); });
    }

    DialogObject inner;  // registered until TearDown releases every description
};

TEST_F(Demonstration, ControlsComeUpColouredAndSubclassed) {
    screen().addStep([] {
        HWND window = demo.window;
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetPropA(window, "DLGPTR"), &demo);
        EXPECT_EQ(GetClassWord(window, GCW_ATOM), dialogClassAtom);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        EXPECT_STREQ(className, "MarlowDlgClass");
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 420);
        EXPECT_EQ(client.bottom, 250);

        struct Look {
            int32_t id;
            WNDPROC subclass;
            int background;
        };
        for (Look look : {Look{keyLabel, staticSubclass, COLOR_BTNFACE}, Look{keyField, controlSubclass, COLOR_WINDOW},
                          Look{countField, controlSubclass, COLOR_WINDOW}, Look{group, controlSubclass, COLOR_BTNFACE},
                          Look{upButton, buttonSubclass, COLOR_BTNFACE}}) {
            SCOPED_TRACE(look.id);
            EXPECT_EQ(GetWindowLongPtrA(control(look.id), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(look.subclass));
            EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(control(look.id), "BGRND")), GetSysColor(look.background));
        }
        EXPECT_EQ(static_cast<uint32_t>(GetWindowLongA(control(countField), GWL_STYLE)) & ES_NUMBER,
                  static_cast<uint32_t>(ES_NUMBER));
        EXPECT_EQ(testui::windowText(control(countField)), "12");

        // An edit's colour request, reflected through the dialog to the edit's own answer.
        HWND edit = control(keyField);
        HDC dc = GetDC(edit);
        LRESULT brush = SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(edit));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetPropA(edit, "BBRUSH")));
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
        // Without a control the procedure leaves the request to the platform.
        EXPECT_EQ(dialogProcedure(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0), 0);
        ReleaseDC(edit, dc);
    });
    closeWith(9);
    EXPECT_EQ(showModal(demo, nullptr), 9);
    EXPECT_EQ(demo.window, nullptr);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().message, initialisationMessage);
    EXPECT_EQ(events.back().message, WM_DESTROY);
}

TEST_F(Demonstration, ClicksReachTheHandlerAsCommandsAndTheCloseBoxEndsWithTwo) {
    screen().addStep([] { testui::click(control(upButton)); });
    screen().addStep([] { testui::click(control(countLabel)); });
    screen().addStep([] { screen::clickCloseBox(demo.window); });
    EXPECT_EQ(showModal(demo, nullptr), 2);
    EXPECT_TRUE(hasCommand(upButton, BN_CLICKED));
    EXPECT_TRUE(hasCommand(countLabel, STN_CLICKED));
    // In that order, then one 32770 for the close box, then the destruction.
    std::vector<int32_t> order;
    for (const Event& e : events) {
        if (e.message == commandMessage && (e.controlId == upButton || e.controlId == countLabel))
            order.push_back(e.controlId);
        if (e.message == closeMessage) order.push_back(-1);
    }
    EXPECT_EQ(order, (std::vector<int32_t>{upButton, countLabel, -1}));
    EXPECT_EQ(events.back().message, WM_DESTROY);
    EXPECT_EQ(demo.window, nullptr);
}

TEST_F(Demonstration, AHandlerThatEndsTheDialogAfterTheCloseBoxDecidesTheResult) {
    reaction = [] {
        if (eventContext.message == closeMessage) closeDialog(demo, 1);
    };
    screen().addStep([] { screen::clickCloseBox(demo.window); });
    EXPECT_EQ(showModal(demo, nullptr), 1);
}

TEST_F(Demonstration, SizeAndScrollMessages) {
    screen().addStep([] {
        SendMessageA(demo.window, WM_SIZE, 0, MAKELPARAM(300, 200));
        SendMessageA(demo.window, WM_VSCROLL, 0x00320005, reinterpret_cast<LPARAM>(control(countField)));
        closeDialog(demo, 1);
    });
    HWND shown = nullptr;
    reaction = [&shown] {
        if (eventContext.message == initialisationMessage) shown = demo.window;
    };
    showModal(demo, nullptr);

    std::vector<Event> sizes, scrolls;
    for (const Event& e : events) {
        if (e.message == sizeMessage || (e.message == WM_SIZE && !sizes.empty())) sizes.push_back(e);
        if (e.message == WM_VSCROLL) scrolls.push_back(e);
    }
    ASSERT_GE(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].message, sizeMessage);
    EXPECT_EQ(sizes[0].lParam, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(sizes[1].message, WM_SIZE);
    EXPECT_EQ(sizes[1].lParam, MAKELPARAM(300, 200));
    ASSERT_EQ(scrolls.size(), 1u);
    EXPECT_EQ(scrolls[0].controlId, countField);
    EXPECT_EQ(scrolls[0].wParam, 5u);
    EXPECT_EQ(scrolls[0].lParam, 50);
}

TEST_F(Demonstration, ShowingAgainBuildsTheSameTemplateAndTheSameControls) {
    std::vector<uint8_t> before = templateOf(*demo.header);
    std::vector<std::string> texts;
    screen().addStep([&texts] {
        texts.push_back(testui::windowText(control(countField)));
        setControlText(demo, countField, "99");  // the description keeps "12"
        closeDialog(demo, 3);
    });
    EXPECT_EQ(showModal(demo, nullptr), 3);
    EXPECT_EQ(templateOf(*demo.header), before);
    screen().addStep([&texts] {
        texts.push_back(testui::windowText(control(countField)));
        closeDialog(demo, 4);
    });
    EXPECT_EQ(showModal(demo, nullptr), 4);
    EXPECT_EQ(texts, (std::vector<std::string>{"12", "12"}));
}

// While the handler works on a click it changes a field, whose notifications come back
// through the handler, and shows a nested dialog owned by its own: afterwards the
// handler still finds its own event in the EventContext.
TEST_F(Demonstration, TheHandlerFindsItsOwnEventAfterNestedOnesAndOwnsTheNestedDialog) {
    createDialog(inner, 0, 0, 200, 100, 0x80C80080, nullptr, "Inner", nullptr);
    HWND outerWindow = nullptr, innerOwner = nullptr;
    INT_PTR innerResult = 0;
    std::vector<Event> afterNested;
    reaction = [&] {
        if (eventContext.message != commandMessage || eventContext.controlId != upButton) return;
        setControlText(demo, keyField, "changed");
        afterNested.push_back(current());
        outerWindow = demo.window;
        testui::headless().addStep([&] {
            innerOwner = GetWindow(inner.window, GW_OWNER);
            closeDialog(inner, 5);
        });
        innerResult = showModal(inner, &demo);
        afterNested.push_back(current());
        closeDialog(demo, 1);
    };
    screen().addStep([] { testui::click(control(upButton)); });
    EXPECT_EQ(showModal(demo, nullptr), 1);

    ASSERT_EQ(afterNested.size(), 2u);
    for (const Event& e : afterNested) {
        EXPECT_EQ(e.message, commandMessage);
        EXPECT_EQ(e.controlId, upButton);
        EXPECT_EQ(e.notifyCode, BN_CLICKED);
    }
    // The field's own notifications came in between, with their own values.
    EXPECT_TRUE(hasCommand(keyField, EN_UPDATE));
    EXPECT_TRUE(hasCommand(keyField, EN_CHANGE));
    EXPECT_EQ(innerResult, 5);
    EXPECT_NE(outerWindow, nullptr);
    EXPECT_EQ(innerOwner, outerWindow);
    EXPECT_EQ(inner.window, nullptr);
}

}  // namespace
