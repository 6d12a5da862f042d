// Driving the headless display as a person would: clicks and keys at the pixels where
// windows are, through the same input path a real display uses.
#pragma once

#include "display/headless/headless.h"

#include <windows.h>

#include <string>

namespace testui {

display::HeadlessBackend& headless();  // the installed headless backend

POINT centreOf(HWND window);  // screen coordinates of the window rectangle's centre
void click(HWND window);      // press and release at its centre
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
// Dispatch queued messages (paints included) until none is left; for tests that have no
// message loop of their own.
void pumpUntilIdle();

}  // namespace testui
