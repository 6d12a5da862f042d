#include "user/windows/stop_requests.h"

#include <windows.h>

#include "kernel/stop_signals.h"

namespace user {

namespace {

// The window closed last for the stop. A window that does not end on WM_CLOSE gets it
// once; the loop then waits as usual rather than asking again and again.
HWND lastClosed = nullptr;

// What a person would close first: the topmost top-level window that is shown and takes
// input, so a modal box before the form it disables.
HWND windowToClose() {
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window) && IsWindowEnabled(window)) return window;
    return nullptr;
}

}  // namespace

bool closeForStopRequest() {
    kernel::clearStopWake();
    if (!kernel::stopRequested()) return false;
    HWND target = windowToClose();
    if (!target || target == lastClosed) return false;
    lastClosed = target;
    PostMessageA(target, WM_CLOSE, 0, 0);
    return true;
}

}  // namespace user
