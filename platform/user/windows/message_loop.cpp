// The message loop: peeking and getting messages (posted ones and input first, then
// WM_QUIT, then WM_PAINT), waiting for the display, and dispatching to procedures.
#include "user/windows/message_trace.h"
#include "user/windows/stop_requests.h"
#include "user/windows/window_manager.h"

namespace user {

namespace {

// Waits for the display's next event and turns it into messages. Everything drawn so far
// is shown first, as the user looks at the screen while the program waits. A pending stop
// signal is taken here, where the program waits for input and so can take a close, never
// in the middle of what it does between two waits (a pass, a store).
void waitForInput() {
    presentSurfaces();
    if (closeForStopRequest()) return;
    translateOneEvent(true);
}

}  // namespace

}  // namespace user

using user::fromHandle;
using user::Window;

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    bool remove = (wRemoveMsg & PM_REMOVE) != 0;
    // Asked for a message with no procedure running, nothing can hold a destroyed window.
    user::freeBuriedWindows();
    // Posted messages and input first; the display's pending events join the queue one
    // at a time, so that each is routed with the state its predecessors left.
    for (;;) {
        if (user::takePosted(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) return TRUE;
        if (!display::hasBackend() || !user::translateOneEvent(false)) break;
    }
    // WM_QUIT ends a loop whatever it filters for.
    if (user::queue().quitPending) {
        *lpMsg = user::stamped(nullptr, WM_QUIT, static_cast<WPARAM>(user::queue().quitCode), 0);
        if (remove) user::queue().quitPending = false;
        return TRUE;
    }
    if (user::rangeMatches(WM_PAINT, wMsgFilterMin, wMsgFilterMax)) {
        user::flushFrames();
        if (Window* w = user::nextWindowToPaint(hWnd)) {
            *lpMsg = user::stamped(w->handle, WM_PAINT, 0, 0);
            return TRUE;
        }
    }
    if (display::hasBackend()) user::presentSurfaces();
    return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    while (!PeekMessageA(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE)) user::waitForInput();
    return lpMsg->message != WM_QUIT;
}

BOOL WINAPI WaitMessage(void) {
    for (;;) {
        if (!user::queue().posted.empty() || user::queue().quitPending) return TRUE;
        user::paintAllPending();
        if (!user::queue().posted.empty()) return TRUE;
        user::waitForInput();
    }
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg || !lpMsg->hwnd) return 0;
    Window* w = fromHandle(lpMsg->hwnd);
    if (!w) return 0;
    if (lpMsg->message == WM_PAINT) {
        user::paintWindow(w);
        return 0;
    }
    return user::callProcedure(w, lpMsg->message, lpMsg->wParam, lpMsg->lParam, user::Passage::Dispatched);
}
