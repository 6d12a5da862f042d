// What the default window procedure shares with the dialog manager's.
#pragma once

#include <windows.h>

namespace user {

// WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC: a control asks its parent for its colours.
constexpr bool isControlColourMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}  // namespace user
