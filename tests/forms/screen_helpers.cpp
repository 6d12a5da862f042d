#include "screen_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace screen {

RECT screenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

uint32_t pixel(const display::Pixels& shot, int x, int y) { return shot.at(x, y) & 0xFFFFFF; }

uint32_t rgb(COLORREF colour) { return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour); }

uint32_t systemColour(int index) { return rgb(GetSysColor(index)); }

void clickCloseBox(HWND window) {
    RECT r = screenRect(window);
    for (int y = r.top; y < r.top + 30; ++y)
        for (int x = r.right - 1; x > r.right - 40; --x)
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                testui::headless().click(x, y);
                return;
            }
    ADD_FAILURE() << "no close box found";
}

std::string savePng(const display::Pixels& shot, const std::string& name) {
    const char* dir = std::getenv("FORMS_SCREENSHOT_DIR");
    std::string path = std::string(dir ? dir : ".") + "/" + name;
    EXPECT_TRUE(display::writePng(path, shot)) << path;
    return path;
}

Box inkBox(const display::Pixels& shot, RECT area, uint32_t background) {
    Box box;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (pixel(shot, x, y) == background) continue;
            if (box.empty) {
                box = {x, y, x + 1, y + 1, false};
                continue;
            }
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    return box;
}

}  // namespace screen
