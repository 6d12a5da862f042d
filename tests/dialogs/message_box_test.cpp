// MessageBoxA on the headless display: placement, the ways to close it, its owner, the
// wrapped text and the drawn icon. The runtime's message-box tests place boxes with a CBT hook.
#include "ui_driver.h"
#include "user/dialogs/message_box_icons.h"
#include "dialog_script.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class MessageBoxTest : public testmsg::WindowTest {
protected:
    display::HeadlessBackend& screen() { return testui::headless(); }
};

HWND boxTitled(const char* caption) { return testui::topLevel(caption); }

}  // namespace

TEST_F(MessageBoxTest, WithoutAHookTheBoxIsCentredOnTheWorkArea) {
    RECT placed{};
    screen().addStep([&] {
        GetWindowRect(boxTitled("Centred"), &placed);
        testui::key(VK_RETURN);
    });
    MessageBoxA(nullptr, "Text", "Centred", MB_OK);
    int width = placed.right - placed.left, height = placed.bottom - placed.top;
    EXPECT_GT(width, 0);
    EXPECT_EQ(placed.left, (1024 - width) / 2);
    EXPECT_EQ(placed.top, (738 - height) / 2);
}

struct Closing {
    const char* name;
    UINT type;
    std::function<void(HWND box)> act;
    int expected;
};

void clickButton(HWND box, int id) { testui::click(GetDlgItem(box, id)); }

// Enter on a box with OK alone closes every box of the other tests.
TEST_F(MessageBoxTest, EachWayOfClosingGivesItsAnswer) {
    const Closing cases[] = {
        {"Escape without Cancel", MB_OK, [](HWND) { testui::key(VK_ESCAPE); }, IDOK},
        {"space on the focused OK", MB_OK, [](HWND) { testui::key(VK_SPACE); }, IDOK},
        {"click on OK", MB_ICONEXCLAMATION, [](HWND box) { clickButton(box, IDOK); }, IDOK},
        {"close box without Cancel", MB_OK, [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }, IDOK},
        {"Escape with Cancel", MB_OKCANCEL, [](HWND) { testui::key(VK_ESCAPE); }, IDCANCEL},
        {"close box with Cancel", MB_OKCANCEL, [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }, IDCANCEL},
        {"Enter with OK and Cancel", MB_OKCANCEL, [](HWND) { testui::key(VK_RETURN); }, IDOK},
        {"click on No", MB_YESNO, [](HWND box) { clickButton(box, IDNO); }, IDNO},
        {"Enter on the second default", MB_YESNO | MB_DEFBUTTON2, [](HWND) { testui::key(VK_RETURN); }, IDNO},
    };
    for (const Closing& c : cases) {
        SCOPED_TRACE(c.name);
        screen().addStep([&] { c.act(boxTitled("Question")); });
        EXPECT_EQ(MessageBoxA(nullptr, "Do it?", "Question", c.type), c.expected);
        EXPECT_EQ(boxTitled("Question"), nullptr);
        EXPECT_EQ(screen().stepsLeft(), 0u);
    }
}

TEST_F(MessageBoxTest, EscapeDoesNotCloseABoxWithoutAWayToCancel) {
    bool stillUp = false;
    screen().addStep([] { testui::key(VK_ESCAPE); });
    screen().addStep([&] {
        stillUp = boxTitled("Choose") != nullptr;
        clickButton(boxTitled("Choose"), IDYES);
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Yes or no?", "Choose", MB_YESNO), IDYES);
    EXPECT_TRUE(stillUp);
}

// Over a dialog whose field has the focus, as measured on Win32: the owner is disabled, the
// box takes the focus (onto its default button) and the activation, a CBT hook may move it
// as it is activated, and when it closes the owner is enabled and active again and the
// field has its focus back.
TEST_F(MessageBoxTest, OverADialogTheFocusGoesToTheBoxAndBackToTheField) {
    using testmsg::Received;
    using testmsg::kCbtActivate;
    using testmsg::kCbtSetFocus;
    testdialogs::DialogLayout ownerSpec;
    ownerSpec.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
    ownerSpec.cx = 200;
    ownerSpec.cy = 100;
    ownerSpec.items = {testdialogs::control(u"EDIT", 12, WS_TABSTOP)};
    testdialogs::DialogScript owner;
    HWND field = nullptr, box = nullptr, button = nullptr;
    RECT placed{};
    std::vector<Received> heard;
    testmsg::CbtRecorder hook([&](int code, WPARAM window) {
        if (code == HCBT_ACTIVATE && window && reinterpret_cast<HWND>(window) != owner.dialog) {
            box = reinterpret_cast<HWND>(window);
            button = GetDlgItem(box, IDOK);
            SetWindowPos(box, nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return false;
    });
    owner.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            field = GetDlgItem(dialog, 12);
            testmsg::recordMessagesOf(field);
        }
        if (message == WM_USER) {
            testmsg::log().clear();
            EXPECT_EQ(MessageBoxA(dialog, "Owned", "Owned box", MB_OK), IDOK);
            heard = testmsg::sequence({kCbtActivate, kCbtSetFocus, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS,
                                      WM_KILLFOCUS, WM_ENABLE, WM_CANCELMODE, WM_COMMAND});
            EndDialog(dialog, 1);
        }
        return message == WM_INITDIALOG;
    };
    screen().addStep([&] { PostMessageA(owner.dialog, WM_USER, 0, 0); });
    screen().addStep([&] {
        GetWindowRect(box, &placed);
        testui::key(VK_RETURN);
    });
    EXPECT_EQ(testdialogs::runDialog(ownerSpec, owner), 1);
    EXPECT_EQ(placed.left, 7);
    EXPECT_EQ(placed.top, 9);

    HWND o = owner.dialog;
    auto h = [](HWND w) { return reinterpret_cast<WPARAM>(w); };
    auto l = [](HWND w) { return reinterpret_cast<LPARAM>(w); };
    EXPECT_EQ(heard, (std::vector<Received>{
                  {o, WM_CANCELMODE, 0, 0},
                  {o, WM_ENABLE, FALSE, 0},
                  {button, kCbtSetFocus, 0, l(field)},
                  {box, kCbtActivate, FALSE, l(o)},
                  {o, WM_NCACTIVATE, FALSE, l(box)},
                  {o, WM_ACTIVATE, WA_INACTIVE, l(box)},
                  {field, WM_KILLFOCUS, h(button), 0},
                  {o, WM_COMMAND, MAKEWPARAM(12, EN_KILLFOCUS), l(field)},
                  {o, WM_ENABLE, TRUE, 0},
                  {box, kCbtSetFocus, 0, l(button)},
                  {o, kCbtActivate, FALSE, l(box)},
                  {o, WM_NCACTIVATE, TRUE, l(box)},
                  {o, WM_ACTIVATE, WA_ACTIVE, l(box)},
                  {field, kCbtSetFocus, 0, l(box)},
                  {field, WM_SETFOCUS, h(box), 0},
                  {o, WM_COMMAND, MAKEWPARAM(12, EN_SETFOCUS), l(field)},
              }));
}

TEST_F(MessageBoxTest, LongTextWrapsWithinALimitedWidth) {
    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "dictionary ";
    RECT shortText{}, wrapped{}, box{};
    screen().addStep([&] {
        GetClientRect(GetDlgItem(boxTitled("Short"), 0xFFFF), &shortText);
        testui::key(VK_RETURN);
    });
    MessageBoxA(nullptr, "One line", "Short", MB_OK);
    screen().addStep([&] {
        HWND window = boxTitled("Long");
        GetClientRect(GetDlgItem(window, 0xFFFF), &wrapped);
        GetWindowRect(window, &box);
        testui::key(VK_RETURN);
    });
    MessageBoxA(nullptr, longText.c_str(), "Long", MB_OK);
    EXPECT_EQ(shortText.bottom, 13);  // one line of the 13-pixel font
    EXPECT_GE(wrapped.bottom, 3 * 13);
    EXPECT_LE(box.right - box.left, 1024 * 5 / 8 + 8);
    EXPECT_GT(box.bottom - box.top, wrapped.bottom);
}

TEST_F(MessageBoxTest, StopIconIsDrawnBesideTheText) {
    std::string text = "Can't find TranslationFile.dat. The dictionary must be in the program's folder; "
                       "copy it there and start the editor again. Without it the editor has nothing to show, "
                       "so it stops here, and nothing was changed on the disk.";
    display::Pixels shot;
    POINT client{};
    screen().addStep([&] {
        HWND box = boxTitled("error...MAIN...");
        testui::pumpUntilIdle();
        ClientToScreen(box, &client);
        shot = screen().screenshot();
        testui::key(VK_RETURN);
    });
    MessageBoxA(nullptr, text.c_str(), "error...MAIN...", MB_ICONHAND);
    ASSERT_GT(shot.width, 0);
    display::writePng(::testing::TempDir() + "message_box_stop.png", shot);
    // The icon's top-left corner is 12 pixels into the client area.
    auto at = [&](int x, int y) { return shot.at(client.x + 12 + x, client.y + 12 + y); };
    EXPECT_EQ(at(16, 16), 0xFFFFFFu);  // the white cross
    EXPECT_EQ(at(16, 4), 0xFF0000u);   // the red disc
    EXPECT_EQ(at(0, 0), shot.at(client.x + 2, client.y + 2));  // the corner shows the background
}
