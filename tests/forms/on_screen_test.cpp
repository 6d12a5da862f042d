// The demonstration dialog on the headless display: the whole chain from description to
// template, coloured and subclassed controls, painted buttons and events reaching the
// handler through the EventContext.
#include "colours.h"
#include "demonstration_dialog.h"
#include "messages.h"
#include "screen_helpers.h"
#include "text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using demo::Event;

std::vector<uint8_t> templateOf(const DialogHeader& header) {
    std::vector<uint8_t> block(measureTemplate(header));
    buildTemplate(block.data(), header);
    return block;
}

bool hasCommand(const std::vector<Event>& events, int32_t id, int32_t notifyCode) {
    for (const Event& e : events)
        if (e.controlId == id && e.notifyCode == notifyCode) return true;
    return false;
}

class Demonstration : public ::testing::Test {
protected:
    void SetUp() override {
        display::installHeadless();
        initTextHeap();
        demo::build();
    }
    void TearDown() override { freeDialogs(); }

    display::HeadlessBackend& screen() { return testui::headless(); }
    // Ends the display from a test step, as a handler would.
    void closeWith(INT_PTR result) {
        screen().addStep([result] { closeDialog(demo::dialog, result); });
    }

    DialogObject inner;  // registered until TearDown releases every description
};

void expectColoured(HWND control, WNDPROC subclass, int backgroundIndex) {
    SCOPED_TRACE(testui::windowText(control));
    EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(subclass));
    EXPECT_NE(GetPropA(control, "LPFN"), nullptr);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(control, "FGRND")), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(control, "BGRND")), GetSysColor(backgroundIndex));
    EXPECT_NE(GetPropA(control, "BBRUSH"), nullptr);
}

TEST_F(Demonstration, ControlsComeUpColouredSubclassedAndPainted) {
    screen().addStep([] {
        HWND window = demo::dialog.window;
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetPropA(window, "DLGPTR"), &demo::dialog);
        EXPECT_EQ(GetClassWord(window, GCW_ATOM), dialogClassAtom);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        EXPECT_STREQ(className, "MarlowDlgClass");
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 420);
        EXPECT_EQ(client.bottom, 250);

        expectColoured(demo::control(demo::keyLabel), staticSubclass, COLOR_BTNFACE);
        expectColoured(demo::control(demo::keyField), controlSubclass, COLOR_WINDOW);
        expectColoured(demo::control(demo::countField), controlSubclass, COLOR_WINDOW);
        expectColoured(demo::control(demo::group), controlSubclass, COLOR_BTNFACE);
        expectColoured(demo::control(demo::upButton), buttonSubclass, COLOR_BTNFACE);
        EXPECT_EQ(static_cast<uint32_t>(GetWindowLongA(demo::control(demo::countField), GWL_STYLE)) & ES_NUMBER,
                  static_cast<uint32_t>(ES_NUMBER));
        EXPECT_EQ(testui::windowText(demo::control(demo::countField)), "12");

        // An edit's colour request, reflected through the dialog: the window-colour brush
        // with the button-text colour as text colour.
        HWND edit = demo::control(demo::keyField);
        HDC dc = GetDC(edit);
        LRESULT brush = SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(edit));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetPropA(edit, "BBRUSH")));
        EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_BTNTEXT));
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
        // Without a control the procedure leaves the request to the platform.
        EXPECT_EQ(dialogProcedure(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0), 0);
        ReleaseDC(edit, dc);

        display::Pixels shot = testui::headless().screenshot();
        screen::savePng(shot, "forms_demonstration.png");
        RECT up = screen::screenRect(demo::control(demo::upButton));
        EXPECT_EQ(screen::pixel(shot, up.left + 3, up.top + 3), screen::systemColour(COLOR_BTNFACE));
        EXPECT_NE(screen::pixel(shot, up.right - 1, up.bottom - 1), screen::systemColour(COLOR_BTNFACE));
        RECT inside{up.left + 4, up.top + 4, up.right - 4, up.bottom - 4};
        EXPECT_FALSE(screen::inkBox(shot, inside, screen::systemColour(COLOR_BTNFACE)).empty) << "no caption";
    });
    closeWith(9);
    EXPECT_EQ(showModal(demo::dialog, nullptr), 9);
    EXPECT_EQ(demo::dialog.window, nullptr);
    ASSERT_FALSE(demo::log.empty());
    EXPECT_EQ(demo::log.front().message, initialisationMessage);
    EXPECT_EQ(demo::log.back().message, WM_DESTROY);
}

TEST_F(Demonstration, TheCloseBoxEndsTheDialogWithTwoBeforeTheHandlerHearsOfIt) {
    screen().addStep([] { screen::clickCloseBox(demo::dialog.window); });
    EXPECT_EQ(showModal(demo::dialog, nullptr), 2);
    int closes = 0;
    for (const Event& e : demo::log) closes += e.message == closeMessage;
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(demo::log.back().message, WM_DESTROY);
    EXPECT_EQ(demo::dialog.window, nullptr);
}

TEST_F(Demonstration, AHandlerThatEndsTheDialogAfterTheCloseBoxDecidesTheResult) {
    demo::reaction = [] {
        if (eventContext.message == closeMessage) closeDialog(demo::dialog, 1);
        return 0;
    };
    screen().addStep([] { screen::clickCloseBox(demo::dialog.window); });
    EXPECT_EQ(showModal(demo::dialog, nullptr), 1);
}

TEST_F(Demonstration, SizeAndScrollMessages) {
    screen().addStep([] {
        SendMessageA(demo::dialog.window, WM_SIZE, 0, MAKELPARAM(300, 200));
        SendMessageA(demo::dialog.window, WM_VSCROLL, 0x00320005,
                     reinterpret_cast<LPARAM>(demo::control(demo::countField)));
        closeDialog(demo::dialog, 1);
    });
    HWND shown = nullptr;
    demo::reaction = [&shown] {
        if (eventContext.message == initialisationMessage) shown = demo::dialog.window;
        return 0;
    };
    showModal(demo::dialog, nullptr);

    std::vector<Event> sizes, scrolls;
    for (const Event& e : demo::log) {
        if (e.message == sizeMessage || (e.message == WM_SIZE && !sizes.empty())) sizes.push_back(e);
        if (e.message == WM_VSCROLL) scrolls.push_back(e);
    }
    ASSERT_GE(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].message, sizeMessage);
    EXPECT_EQ(sizes[0].lParam, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(sizes[1].message, WM_SIZE);
    EXPECT_EQ(sizes[1].lParam, MAKELPARAM(300, 200));
    ASSERT_EQ(scrolls.size(), 1u);
    EXPECT_EQ(scrolls[0].controlId, demo::countField);
    EXPECT_EQ(scrolls[0].wParam, 5u);
    EXPECT_EQ(scrolls[0].lParam, 50);
}

TEST_F(Demonstration, ShowingAgainBuildsTheSameTemplateAndTheSameControls) {
    std::vector<uint8_t> before = templateOf(*demo::dialog.header);
    std::vector<std::string> texts;
    screen().addStep([&texts] {
        texts.push_back(testui::windowText(demo::control(demo::countField)));
        setControlText(demo::dialog, demo::countField, "99");  // the description keeps "12"
        closeDialog(demo::dialog, 3);
    });
    EXPECT_EQ(showModal(demo::dialog, nullptr), 3);
    EXPECT_EQ(templateOf(*demo::dialog.header), before);
    screen().addStep([&texts] {
        texts.push_back(testui::windowText(demo::control(demo::countField)));
        closeDialog(demo::dialog, 4);
    });
    EXPECT_EQ(showModal(demo::dialog, nullptr), 4);
    EXPECT_EQ(texts, (std::vector<std::string>{"12", "12"}));
}

TEST_F(Demonstration, ANestedDialogIsOwnedByTheParentItIsShownWith) {
    createDialog(inner, 0, 0, 200, 100, 0x80C80080, nullptr, "Inner", nullptr);
    HWND outerWindow = nullptr, innerOwner = nullptr;
    INT_PTR innerResult = 0;
    demo::reaction = [&] {
        if (eventContext.message == commandMessage && eventContext.controlId == demo::upButton) {
            outerWindow = demo::dialog.window;
            testui::headless().addStep([&] {
                innerOwner = GetWindow(inner.window, GW_OWNER);
                closeDialog(inner, 5);
            });
            innerResult = showModal(inner, &demo::dialog);
            closeDialog(demo::dialog, 1);
        }
        return 0;
    };
    screen().addStep([] { testui::click(demo::control(demo::upButton)); });
    EXPECT_EQ(showModal(demo::dialog, nullptr), 1);
    EXPECT_EQ(innerResult, 5);
    EXPECT_NE(outerWindow, nullptr);
    EXPECT_EQ(innerOwner, outerWindow);
    EXPECT_EQ(inner.window, nullptr);
}

TEST_F(Demonstration, NotificationsOfTabAndEnterWhenAControlAsksForThem) {
    screen().addStep([] {
        HWND field = demo::control(demo::keyField);
        SetWindowTextA(field, "kept");
        SetPropA(field, "NOTIFY_TAB", reinterpret_cast<HANDLE>(1));
        SetPropA(field, "NOTIFY_ENTER", reinterpret_cast<HANDLE>(1));
        EXPECT_EQ(SendMessageA(field, WM_CHAR, VK_TAB, 0), 1);
        EXPECT_EQ(SendMessageA(field, WM_CHAR, VK_RETURN, 0), 1);
        EXPECT_EQ(testui::windowText(field), "kept");
        closeDialog(demo::dialog, 1);
    });
    showModal(demo::dialog, nullptr);
    EXPECT_TRUE(hasCommand(demo::commands(), demo::keyField, notifyTabCode));
    EXPECT_TRUE(hasCommand(demo::commands(), demo::keyField, notifyEnterCode));
}

}  // namespace
