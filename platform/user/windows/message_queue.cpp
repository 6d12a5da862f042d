// The thread's message queue: sent and posted messages, WM_QUIT, WM_PAINT when nothing
// else is queued, and the waiting that lets the display deliver input meanwhile.
#include "user/windows/message_trace.h"
#include "user/windows/window_manager.h"

namespace user {

namespace {

bool windowMatches(HWND messageWindow, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return messageWindow == nullptr;
    return messageWindow == filter || IsChild(filter, messageWindow);
}

}  // namespace

bool rangeMatches(UINT message, UINT first, UINT last) {
    if (first == 0 && last == 0) return true;
    return message >= first && message <= last;
}

MSG stamped(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{window, message, wParam, lParam, 0, {}};
    if (display::hasBackend()) msg.time = display::backend().now();
    msg.pt = WindowManager::the().input.cursor;
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

LRESULT callProcedure(Window* window, UINT message, WPARAM wParam, LPARAM lParam, Passage passage) {
    if (!window || !window->procedure) return 0;
    if (!tracingMessages()) {
        OutsideCall call;
        return window->procedure(window->handle, message, wParam, lParam);
    }
    HWND handle = window->handle;
    traceMessage(passage, handle, message, wParam, lParam);
    LRESULT result;
    {
        OutsideCall call;
        result = window->procedure(handle, message, wParam, lParam);
    }
    traceResult(handle, message, result);
    return result;
}

LRESULT callProcedure(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    return callProcedure(window, message, wParam, lParam, Passage::Sent);
}

void postInput(const MSG& message) {
    queue().posted.push_back(message);
    if (tracingMessages()) traceMessage(Passage::Posted, message.hwnd, message.message, message.wParam, message.lParam);
}

void postFirst(const MSG& message) {
    queue().posted.push_front(message);
    if (tracingMessages()) traceMessage(Passage::Posted, message.hwnd, message.message, message.wParam, message.lParam);
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
    if (user::tracingMessages()) user::traceMessage(user::Passage::Posted, hWnd, Msg, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
    user::queue().quitPending = true;
    user::queue().quitCode = nExitCode;
}
