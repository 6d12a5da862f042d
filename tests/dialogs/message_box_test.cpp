// MessageBoxA on the headless display: placement, the ways to close it and the wrapped
// text. Its modal loop is the dialogs' (see DialogBoxTest for the owner's activation and
// focus); the drawn icons have tests of their own.
#include "message_recorder.h"
#include "ui_driver.h"

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

// Centred on the work area, with the focus on its button.
TEST_F(MessageBoxTest, CentredOnTheWorkAreaAndFocusedOnItsButton) {
    RECT placed{};
    HWND focus = nullptr, ok = nullptr;
    screen().addStep([&] {
        GetWindowRect(boxTitled("Placed"), &placed);
        focus = GetFocus();
        ok = GetDlgItem(boxTitled("Placed"), IDOK);
        testui::key(VK_RETURN);
    });
    MessageBoxA(nullptr, "Text", "Placed", MB_OK);
    int width = placed.right - placed.left, height = placed.bottom - placed.top;
    EXPECT_GT(width, 0);
    EXPECT_EQ(placed.left, (1024 - width) / 2);
    EXPECT_EQ(placed.top, (738 - height) / 2);
    EXPECT_NE(ok, nullptr);
    EXPECT_EQ(focus, ok);
}

struct Closing {
    const char* name;
    UINT type;
    std::function<void(HWND box)> act;
    int expected;
};

void clickButton(HWND box, int id) { testui::click(GetDlgItem(box, id)); }

// The program's boxes have OK alone; Enter on one closes every box of the other tests.
TEST_F(MessageBoxTest, EachWayOfClosingGivesItsAnswer) {
    const Closing cases[] = {
        {"Escape without Cancel", MB_OK, [](HWND) { testui::key(VK_ESCAPE); }, IDOK},
        {"space on the focused OK", MB_OK, [](HWND) { testui::key(VK_SPACE); }, IDOK},
        {"click on OK", MB_ICONEXCLAMATION, [](HWND box) { clickButton(box, IDOK); }, IDOK},
        {"close box without Cancel", MB_OK, [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }, IDOK},
    };
    for (const Closing& c : cases) {
        SCOPED_TRACE(c.name);
        screen().addStep([&] { c.act(boxTitled("Question")); });
        EXPECT_EQ(MessageBoxA(nullptr, "Do it?", "Question", c.type), c.expected);
        EXPECT_EQ(boxTitled("Question"), nullptr);
        EXPECT_EQ(screen().stepsLeft(), 0u);
    }
}

TEST_F(MessageBoxTest, LongTextWrapsWithinALimitedWidth) {
    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "dictionary ";
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

namespace {

// Counts the program pixels of a client area whose device pixels are not all one colour.
// A top-level window's surface has its own grid: its device pixels start at the window's
// device corner.
int programPixelsSplitOnTheDevice(HWND window, const RECT& area) {
    const testui::Screen screen;
    const display::Pixels& shot = screen.pixels();
    const display::Scale scale = shot.scale;
    const RECT frame = testui::screenRect(window);
    const POINT corner = testui::onDevice(POINT{frame.left, frame.top});
    int split = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            POINT p = testui::screenPoint(window, x, y);
            p = POINT{p.x - frame.left, p.y - frame.top};
            RECT d{corner.x + scale.toDevice(p.x), corner.y + scale.toDevice(p.y), corner.x + scale.toDevice(p.x + 1),
                   corner.y + scale.toDevice(p.y + 1)};
            bool uniform = true;
            for (int dy = d.top; dy < d.bottom; ++dy)
                for (int dx = d.left; dx < d.right; ++dx)
                    uniform = uniform && shot.at(dx, dy) == shot.at(d.left, d.top);
            split += !uniform;
        }
    }
    return split;
}

}  // namespace

// On a high-resolution screen the signs of the program's boxes are drawn at the device's
// resolution: where an edge crosses a program pixel, the device pixels within it differ.
// Drawn per program pixel and enlarged, each would be one colour.
TEST_F(MessageBoxTest, IconEdgesAreDrawnAtTheDevicesResolution) {
    struct Case {
        const char* name;
        UINT type;
        int dpi;
    };
    const Case cases[] = {{"stop at 150 %", MB_ICONHAND, 144},
                          {"stop at 200 %", MB_ICONHAND, 192},
                          {"exclamation at 150 %", MB_ICONEXCLAMATION, 144},
                          {"exclamation at 200 %", MB_ICONEXCLAMATION, 192}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        display::installHeadless({0, 0, 1024, 768}, {0, 0, 1024, 738}, display::Scale{c.dpi});
        int split = 0;
        screen().addStep([&] {
            HWND box = boxTitled("Sign");
            split = programPixelsSplitOnTheDevice(box, RECT{12, 12, 44, 44});  // the icon, 12 pixels in
            testui::key(VK_RETURN);
        });
        MessageBoxA(nullptr, "Text", "Sign", c.type);
        EXPECT_GT(split, 60);
    }
}
