// What the on-screen tests share: the headless screen's pixels at a window, and the
// close box of a dialog's caption.
#pragma once

#include "ui_driver.h"

#include <windows.h>

#include <string>

namespace screen {

RECT screenRect(HWND window);
uint32_t pixel(const display::Pixels& shot, int x, int y);  // 0x00RRGGBB
uint32_t rgb(COLORREF colour);                               // the same colour as a screen pixel
uint32_t systemColour(int index);
void clickCloseBox(HWND window);
// Writes the screenshot as a PNG beside the test program (or where the build says) and
// returns its path.
std::string savePng(const display::Pixels& shot, const std::string& name);

// The bounding box of the pixels inside `area` (screen coordinates) that are not `background`.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool empty = true;
};
Box inkBox(const display::Pixels& shot, RECT area, uint32_t background);

}  // namespace screen
