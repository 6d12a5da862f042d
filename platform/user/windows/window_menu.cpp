#include "user/windows/window_menu.h"

#include "user/controls/popup_menu.h"
#include "user/windows/window_internal.h"

namespace user {

namespace {

// What Win32 moves a window by for each arrow key in a keyboard move.
constexpr int kMoveStep = 8;

bool endsMove(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_NCLBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN;
}

bool isKeyMessage(UINT message) { return message >= WM_KEYDOWN && message <= WM_SYSCHAR; }

}  // namespace

void openWindowMenu(HWND handle) {
    Window* window = fromHandle(handle);
    if (!window) return;
    RECT caption = captionRectInWindow(window);
    POINT below{window->rect.left + caption.left, window->rect.top + caption.bottom};
    UINT chosen = trackPopupMenu(below, {{SC_MOVE, "&Move"}, {0, ""}, {SC_CLOSE, "&Close"}});
    if (chosen != 0 && IsWindow(handle)) SendMessageA(handle, WM_SYSCOMMAND, chosen, 0);
}

void moveWithKeyboard(HWND window) {
    RECT start{};
    GetWindowRect(window, &start);
    POINT at{start.left, start.top};
    MSG msg{};
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0)) {
        if (endsMove(msg.message)) return;  // the click only ends the move
        if (!isKeyMessage(msg.message)) {
            DispatchMessageA(&msg);
            continue;
        }
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) continue;  // the keys are the move's
        switch (msg.wParam) {
        case VK_LEFT:
            at.x -= kMoveStep;
            break;
        case VK_RIGHT:
            at.x += kMoveStep;
            break;
        case VK_UP:
            at.y -= kMoveStep;
            break;
        case VK_DOWN:
            at.y += kMoveStep;
            break;
        case VK_RETURN:
            return;
        case VK_ESCAPE:
            at = POINT{start.left, start.top};
            break;
        default:
            continue;
        }
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (msg.wParam == VK_ESCAPE) return;
    }
    // A WM_QUIT taken here belongs to the loop that runs outside this one.
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
}

}  // namespace user
