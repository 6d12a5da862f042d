#include "ui_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace testui {

display::HeadlessBackend& headless() {
    auto* backend = dynamic_cast<display::HeadlessBackend*>(&display::backend());
    if (!backend) {
        std::fprintf(stderr, "ui_driver: the installed display is not headless\n");
        std::abort();
    }
    return *backend;
}

POINT centreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT onDevice(POINT program) {
    display::Scale scale = headless().scale();
    return POINT{scale.toDevice(program.x), scale.toDevice(program.y)};
}

void clickOnScreen(POINT program) {
    POINT p = onDevice(program);
    headless().click(p.x, p.y);
}

void click(HWND window) { clickOnScreen(centreOf(window)); }

void clickAt(HWND window, int clientX, int clientY) {
    POINT p{clientX, clientY};
    ClientToScreen(window, &p);
    clickOnScreen(p);
}

void doubleClick(HWND window) {
    POINT p = centreOf(window);
    clickOnScreen(p);
    headless().advanceClock(50);
    clickOnScreen(p);
}

void key(uint32_t virtualKey, uint32_t modifiers) { headless().key(virtualKey, modifiers); }

void type(const std::string& windows1252) { headless().type(windows1252); }

void replaceText(HWND edit, const std::string& windows1252) {
    click(edit);
    headless().key('A', display::ModControl);
    if (windows1252.empty())
        headless().key(VK_DELETE);
    else
        headless().type(windows1252);
}

std::string windowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got));
    return text;
}

HWND topLevel(const std::string& title) {
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window) && windowText(window) == title) return window;
    return nullptr;
}

namespace {

BOOL CALLBACK collectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> children(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(window, collectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool isClass(HWND window, const char* name) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

}  // namespace

std::string staticTexts(HWND window) {
    std::string texts;
    for (HWND child : children(window)) {
        std::string text = windowText(child);
        if (isClass(child, "Static") && !text.empty()) texts += texts.empty() ? text : "\n" + text;
    }
    return texts;
}

HWND childWithText(HWND window, const char* className, const std::string& text) {
    for (HWND child : children(window))
        if (isClass(child, className) && windowText(child) == text) return child;
    return nullptr;
}

display::Pixels windowPixels(HWND window) {
    display::Pixels screen = headless().screenshot();
    RECT program{};
    GetWindowRect(window, &program);
    const display::Scale scale = screen.scale;
    RECT r{scale.toDevice(program.left), scale.toDevice(program.top), scale.toDevice(program.right),
           scale.toDevice(program.bottom)};
    display::Pixels picture;
    picture.resize(r.right - r.left, r.bottom - r.top);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            int sx = r.left + x, sy = r.top + y;
            if (sx >= 0 && sy >= 0 && sx < screen.width && sy < screen.height)
                picture.data[static_cast<size_t>(y) * picture.width + x] = screen.at(sx, sy);
        }
    return picture;
}

POINT screenPoint(HWND window, int clientX, int clientY) {
    POINT point{clientX, clientY};
    ClientToScreen(window, &point);
    return point;
}

RECT screenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

Screen::Screen() : shot_(headless().screenshot()) {}

COLORREF Screen::at(int programX, int programY) const {
    int x = shot_.scale.toDevice(programX);
    int y = shot_.scale.toDevice(programY);
    if (x < 0 || y < 0 || x >= shot_.width || y >= shot_.height) return CLR_INVALID;
    uint32_t rgb = shot_.at(x, y);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

COLORREF Screen::at(HWND window, int clientX, int clientY) const {
    POINT point = screenPoint(window, clientX, clientY);
    return at(point.x, point.y);
}

int Screen::countLike(HWND window, const RECT& area, COLORREF colour) const {
    int like = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) like += at(window, x, y) == colour;
    return like;
}

int Screen::countUnlike(HWND window, const RECT& area, COLORREF colour) const {
    return (area.right - area.left) * (area.bottom - area.top) - countLike(window, area, colour);
}

Box Screen::inkBox(const RECT& area, COLORREF background) const {
    Box box;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (at(x, y) == background) continue;
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

COLORREF pixel(HWND window, int clientX, int clientY) { return Screen().at(window, clientX, clientY); }

COLORREF screenPixel(int x, int y) {
    pumpUntilIdle();
    return Screen().at(x, y);
}

std::string savePng(const display::Pixels& shot, const std::string& name) {
    const char* dir = std::getenv("FORMS_SCREENSHOT_DIR");
    std::string path = std::string(dir ? dir : ".") + "/" + name;
    if (!display::writePng(path, shot)) std::fprintf(stderr, "ui_driver: could not write %s\n", path.c_str());
    return path;
}

IconColour dominantIconColour(HWND window) {
    pumpUntilIdle();
    Screen screen;
    RECT r{};
    GetWindowRect(window, &r);
    int red = 0, yellow = 0;
    for (int y = std::max<int>(r.top, 0); y < r.bottom; ++y)
        for (int x = std::max<int>(r.left, 0); x < r.right; ++x) {
            COLORREF c = screen.at(x, y);
            if (c == CLR_INVALID) continue;
            uint32_t p = (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
            int cr = (p >> 16) & 0xFF, cg = (p >> 8) & 0xFF, cb = p & 0xFF;
            if (cr > 180 && cg < 80 && cb < 80)
                ++red;
            else if (cr > 180 && cg > 180 && cb < 80)
                ++yellow;
        }
    if (red > 20 && red > yellow) return IconColour::red;
    return yellow > 20 && yellow > red ? IconColour::yellow : IconColour::none;
}

void pumpUntilIdle() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace testui
