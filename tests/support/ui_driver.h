// Driving the headless display as a person would: clicks and keys at the pixels where
// windows are, through the same input path a real display uses.
#pragma once

#include "display/headless/headless.h"

#include <windows.h>

#include <string>
#include <utility>

namespace testui {

display::HeadlessBackend& headless();  // the installed headless backend

POINT centreOf(HWND window);  // screen coordinates of the window rectangle's centre
// The device pixel at a program pixel's top-left, which the display maps back to it.
POINT onDevice(POINT program);
void click(HWND window);  // press and release at its centre
void clickAt(HWND window, int clientX, int clientY);
void doubleClick(HWND window);
void key(uint32_t virtualKey, uint32_t modifiers = 0);
void type(const std::string& windows1252);
// Click into an edit field, select all its text and type over it.
void replaceText(HWND edit, const std::string& windows1252);
std::string windowText(HWND window);
HWND topLevel(const std::string& title);  // a visible top-level window with this title, or null
// The non-empty texts of a window's static controls, one a line.
std::string staticTexts(HWND window);
HWND childWithText(HWND window, const char* className, const std::string& text);  // or null
// Which colour a window's icon area shows most: a stop icon is red, an exclamation yellow.
enum class IconColour { none, red, yellow };
IconColour dominantIconColour(HWND window);
display::Pixels windowPixels(HWND window);  // the window's rectangle of the screen

POINT screenPoint(HWND window, int clientX, int clientY);
RECT screenRect(HWND window);  // the window rectangle

// The bounding box of some pixels; right and bottom exclusive.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty = true;
};

// One screenshot, read as COLORREF at screen points or at windows' client points.
class Screen {
public:
    Screen();  // taken now
    explicit Screen(display::Pixels shot) : shot_(std::move(shot)) {}
    COLORREF at(int x, int y) const;  // at program pixel (x, y): its top-left device pixel; CLR_INVALID off the screen
    COLORREF at(HWND window, int clientX, int clientY) const;
    // Pixels of a client rectangle that equal / differ from `colour`.
    int countLike(HWND window, const RECT& area, COLORREF colour) const;
    int countUnlike(HWND window, const RECT& area, COLORREF colour) const;
    Box inkBox(const RECT& screenArea, COLORREF background) const;  // the pixels that are not background
    const display::Pixels& pixels() const { return shot_; }

private:
    display::Pixels shot_;
};
COLORREF pixel(HWND window, int clientX, int clientY);  // of a screenshot taken now
COLORREF screenPixel(int x, int y);                     // after dispatching what is queued

// Writes a screenshot as a PNG where FORMS_SCREENSHOT_DIR says (else the working directory)
// for people to look at, and returns its path.
std::string savePng(const display::Pixels& shot, const std::string& name);
// Dispatch queued messages (paints included) until none is left; for tests that have no
// message loop of their own.
void pumpUntilIdle();

}  // namespace testui
