#include "ui_driver.h"

#include <cstdio>
#include <cstdlib>

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

void click(HWND window) {
    POINT p = centreOf(window);
    headless().click(p.x, p.y);
}

void clickAt(HWND window, int clientX, int clientY) {
    POINT p{clientX, clientY};
    ClientToScreen(window, &p);
    headless().click(p.x, p.y);
}

void doubleClick(HWND window) {
    POINT p = centreOf(window);
    headless().click(p.x, p.y);
    headless().advanceClock(50);
    headless().click(p.x, p.y);
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
    HWND window = FindWindowA(nullptr, title.c_str());
    return (window && IsWindowVisible(window)) ? window : nullptr;
}

void pumpUntilIdle() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace testui
