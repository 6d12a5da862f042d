// A top-level window's own menu and its keyboard move, for a window larger than the screen
// (or half off it): as on Win32, Alt+Space opens the menu at the caption, and its Move
// takes the window on the arrow keys. Alt+F7, the desktops' key for moving a window, starts
// that move at once.
#pragma once

#include <windows.h>

namespace user {

// Move and Close, shown below the left end of the caption; the one chosen is sent as
// WM_SYSCOMMAND.
void openWindowMenu(HWND window);

// Each arrow key moves the window 8 pixels; Enter or a click keeps the place, Escape puts
// the window back where it was. Runs a message loop of its own until then.
void moveWithKeyboard(HWND window);

}  // namespace user
