// A small popup menu of one level, as TrackPopupMenu shows it with TPM_RETURNCMD: a
// window of the menu class on top of everything, run in a loop of its own until an item
// is chosen (a release of either mouse button over it, Enter, or its '&' letter) or the
// menu is dismissed (Escape, Alt, F10, a press outside it, the capture taken away).
// Arrow keys move the highlight; grey items are shown but cannot be chosen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace user {

struct PopupMenuItem {
    UINT command = 0;  // 0: a separator
    std::string text;  // with '&' before the letter that chooses it
    bool enabled = true;
};

// Shows the menu with its top-left corner at the screen point (moved to stay on the
// screen) and returns the command chosen, 0 when none was.
UINT trackPopupMenu(POINT screenPoint, const std::vector<PopupMenuItem>& items);

}  // namespace user
