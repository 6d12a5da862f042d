// The thread's message queue: sent and posted messages, WM_QUIT, WM_PAINT when nothing
// else is queued, and the waiting that lets the display deliver input meanwhile.
#include "user/windows/window_internal.h"

#include <deque>

namespace user {

namespace {

struct Queue {
    std::deque<MSG> posted;  // posted messages and input, in arrival order
    bool quitPending = false;
    int quitCode = 0;
};

Queue& queue() {
    static Queue q;
    return q;
}

int outsideCallDepth = 0;  // procedures, hooks and callbacks running now

bool windowMatches(HWND messageWindow, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return messageWindow == nullptr;
    return messageWindow == filter || IsChild(filter, messageWindow);
}

bool rangeMatches(UINT message, UINT first, UINT last) {
    if (first == 0 && last == 0) return true;
    return message >= first && message <= last;
}

MSG stamped(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{window, message, wParam, lParam, 0, {}};
    if (display::hasBackend()) msg.time = display::backend().now();
    GetCursorPos(&msg.pt);
    return msg;
}

bool takePosted(LPMSG out, HWND filter, UINT first, UINT last, bool remove) {
    auto& posted = queue().posted;
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if (!windowMatches(it->hwnd, filter) || !rangeMatches(it->message, first, last)) continue;
        *out = *it;
        if (remove) posted.erase(it);
        return true;
    }
    return false;
}

// Waits for the display's next event and turns it into messages. Everything drawn so far
// is shown first, as the user looks at the screen while the program waits.
void waitForInput() {
    presentSurfaces();
    translateOneEvent(true);
}

}  // namespace

OutsideCall::OutsideCall() { ++outsideCallDepth; }
OutsideCall::~OutsideCall() { --outsideCallDepth; }
bool outsideCallRunning() { return outsideCallDepth > 0; }

LRESULT callProcedure(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window || !window->procedure) return 0;
    OutsideCall call;
    return window->procedure(window->handle, message, wParam, lParam);
}

void postInput(const MSG& message) { queue().posted.push_back(message); }

void removeMessagesFor(HWND handle) {
    auto& posted = queue().posted;
    for (auto it = posted.begin(); it != posted.end();) it = (it->hwnd == handle) ? posted.erase(it) : it + 1;
}

}  // namespace user

using user::fromHandle;
using user::Window;

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = fromHandle(hWnd);
    if (!w) {
        SetLastError(1400);
        return 0;
    }
    return user::callProcedure(w, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd && !fromHandle(hWnd)) {
        SetLastError(1400);
        return FALSE;
    }
    user::queue().posted.push_back(user::stamped(hWnd, Msg, wParam, lParam));
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
    user::queue().quitPending = true;
    user::queue().quitCode = nExitCode;
}

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

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN)) return FALSE;
    bool control = GetKeyState(VK_CONTROL) < 0;
    bool alt = lpMsg->message == WM_SYSKEYDOWN;
    WPARAM key = lpMsg->wParam;
    int character = -1;
    switch (key) {
    case VK_RETURN: character = control ? '\n' : '\r'; break;
    case VK_TAB: character = control ? -1 : '\t'; break;
    case VK_BACK: character = control ? 0x7F : '\b'; break;
    case VK_ESCAPE: character = 0x1B; break;
    default:
        // Printable characters come from the display as text; only control codes are made here.
        if (control && !alt && key >= 'A' && key <= 'Z') character = static_cast<int>(key - 'A' + 1);
        break;
    }
    if (character < 0) return FALSE;
    MSG out = *lpMsg;
    out.message = alt ? WM_SYSCHAR : WM_CHAR;
    out.wParam = static_cast<WPARAM>(character);
    // The character is the next message the thread sees, ahead of later input.
    user::queue().posted.push_front(out);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg || !lpMsg->hwnd) return 0;
    Window* w = fromHandle(lpMsg->hwnd);
    if (!w) return 0;
    if (lpMsg->message == WM_PAINT) {
        user::paintWindow(w);
        return 0;
    }
    return user::callProcedure(w, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

int WINAPI TranslateAcceleratorA(HWND, HACCEL hAccTable, LPMSG) {
    // The layer has no accelerator tables, so no table can translate anything.
    (void)hAccTable;
    return 0;
}
