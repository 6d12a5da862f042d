// The editor on high-resolution screens: the display maps device pixels to the program's
// pixels and back, so every device pixel a control is drawn on reaches that control.
#include "app/editor_form.h"
#include "editor_session.h"

#include "ui_driver.h"

#include <functional>

namespace editor {
namespace {

class ScaledScreen : public EditorTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // A screen of odd size centres the form at odd program coordinates, where at 125 %
        // and 150 % its device edges are off the screen's own grid.
        display::installHeadless({0, 0, 1023, 767}, {0, 0, 1023, 737}, display::Scale{GetParam()});
        writeDictionary(dictionaryBytes(3, {word("cat", 2), word("dog", 2)}));
    }
};

BOOL CALLBACK collect(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The controls a press gives the focus to: fields and push buttons.
std::vector<HWND> focusableControls(HWND form) {
    std::vector<HWND> all, focusable;
    EnumChildWindows(form, collect, reinterpret_cast<LPARAM>(&all));
    for (HWND child : all) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        bool button =
            lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
        if (button || lstrcmpiA(className, "Edit") == 0) focusable.push_back(child);
    }
    return focusable;
}

// A press on each corner pixel of each control's client area, as drawn on the device, gives it the
// focus; a press on the device pixel just outside its left or bottom edge does not. The button is let go over the
// form's empty top band, so no button is clicked. One press a step, as the
// program takes its input between a person's actions.
struct Probe {
    HWND control;
    std::string name;
    POINT at;
    bool inside;
};

TEST_P(ScaledScreen, EveryDevicePixelOfAControlReachesIt) {
    std::vector<Probe> probes;
    std::vector<std::string> missed;
    POINT away{};
    std::function<void(size_t)> pressFrom = [&](size_t i) {
        if (i == probes.size()) {
            clickControl(cancelButton);
            return;
        }
        const Probe& probe = probes[i];
        testui::headless().mouseMove(probe.at.x, probe.at.y);
        testui::headless().mouseDown(probe.at.x, probe.at.y);
        step([&, i] {
            const Probe& pressed = probes[i];
            if ((GetFocus() == pressed.control) != pressed.inside)
                missed.push_back(pressed.name + (pressed.inside ? " missed the press at " : " took the press at ") +
                                 std::to_string(pressed.at.x) + "," + std::to_string(pressed.at.y));
            testui::headless().mouseMove(away.x, away.y);
            testui::headless().mouseUp(away.x, away.y);
            pressFrom(i + 1);
        });
    };
    step([&] {
        HWND form = formWindow();
        const display::Scale scale = testui::headless().scale();
        away = testui::onDevice(testui::screenPoint(form, 4, 4));
        for (HWND control : focusableControls(form)) {
            // The client area: a press on a field's border is not a press into the field.
            RECT client{};
            GetClientRect(control, &client);
            POINT topLeft = testui::screenPoint(control, 0, 0);
            RECT r{topLeft.x, topLeft.y, topLeft.x + client.right, topLeft.y + client.bottom};
            // Where the form's pixels put it: they are laid out from the form's own origin.
            RECT f{};
            GetWindowRect(form, &f);
            RECT d{scale.toDeviceIn(r.left, f.left), scale.toDeviceIn(r.top, f.top), scale.toDeviceIn(r.right, f.left),
                   scale.toDeviceIn(r.bottom, f.top)};
            std::string name = testui::windowText(control) + " #" + std::to_string(GetDlgCtrlID(control));
            // Outside first: the focus is then still on the control probed before.
            probes.push_back({control, name, POINT{d.left - 1, (d.top + d.bottom) / 2}, false});
            probes.push_back({control, name, POINT{(d.left + d.right) / 2, d.bottom}, false});
            for (POINT corner : {POINT{d.left, d.top}, POINT{d.right - 1, d.top}, POINT{d.left, d.bottom - 1},
                                 POINT{d.right - 1, d.bottom - 1}})
                probes.push_back({control, name, corner, true});
        }
        pressFrom(0);
    });
    runEditorToEnd();
    EXPECT_TRUE(missed.empty()) << ::testing::PrintToString(missed);
}

INSTANTIATE_TEST_SUITE_P(AtScales, ScaledScreen, ::testing::Values(120, 144, 192),
                         [](const ::testing::TestParamInfo<int>& scale) {
                             return std::to_string(scale.param * 100 / 96) + "percent";
                         });

}  // namespace
}  // namespace editor
