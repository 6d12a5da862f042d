// What the layer's three control classes (button, static, edit) share: their per-window
// state in the first window word, colour requests to the parent, notifications and fonts.
#pragma once

#include <windows.h>

#include <string>

namespace user::controls {

// Each control class keeps one state object per window, made at WM_NCCREATE and freed at
// WM_NCDESTROY; its pointer lives in the window's extra bytes.
constexpr int stateWindowBytes = static_cast<int>(sizeof(void*));

template <typename State>
State* stateOf(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, 0));
}

template <typename State>
State* attachState(HWND window) {
    auto* state = new State();
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
    return state;
}

template <typename State>
void releaseState(HWND window) {
    delete stateOf<State>(window);
    SetWindowLongPtrA(window, 0, 0);
}

// The head and tail every control procedure shares: the state is made at WM_NCCREATE, a
// window without one gets the default processing, and the state goes at WM_NCDESTROY.
// Handle sees every other message (WM_NCCREATE too, after the state is made).
template <typename State, LRESULT (*Handle)(HWND, State*, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) attachState<State>(window);
    State* state = stateOf<State>(window);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        releaseState<State>(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return Handle(window, state, message, wParam, lParam);
}

// Registers one of the layer's system control classes under its fixed atom.
void registerControlClass(const char* name, ATOM atom, WNDPROC procedure, UINT classStyle, LPCSTR cursor);

// Asks the parent for the control's colours (WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC or
// WM_CTLCOLORBTN): the parent sets the DC's text and background colours and answers
// the brush to fill with. A parent that answers no brush gets the default colours.
HBRUSH askParentForColours(HWND control, HDC dc, UINT colourMessage);

// WM_COMMAND(MAKEWPARAM(id, code), control) to the parent, sent (not posted).
void notifyParent(HWND control, WORD code);

// The font a control draws with: its WM_SETFONT font, else the system font.
HFONT fontOrDefault(HFONT font);

// The window text as the window manager stores it (buttons and statics keep theirs there).
std::string storedText(HWND control);

DWORD styleOf(HWND window);
bool hasStyle(HWND window, DWORD bits);  // all of the bits

// Draws a bitmap into area, centred in it, clipped to it.
void drawBitmapCentred(HDC dc, HBITMAP bitmap, const RECT& area);

// Text the user selected with the mouse, for the desktop's selection.
void offerMouseSelection(const std::string& text);

}  // namespace user::controls
