#include "user/controls/control_support.h"

#include "display/display.h"
#include "user/windows/window_manager.h"

#include <commctrl.h>

namespace user::controls {

void registerControlClass(const char* name, ATOM atom, WNDPROC procedure, UINT classStyle, LPCSTR cursor) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = classStyle | CS_GLOBALCLASS;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = stateWindowBytes;
    windowClass.hCursor = LoadCursorA(nullptr, cursor);
    windowClass.lpszClassName = name;
    registerClassWithAtom(windowClass, atom);
}

HBRUSH askParentForColours(HWND control, HDC dc, UINT colourMessage) {
    HWND parent = GetParent(control);
    HBRUSH brush = nullptr;
    if (parent)
        brush = reinterpret_cast<HBRUSH>(
            SendMessageA(parent, colourMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(
            DefWindowProcA(control, colourMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    return brush;
}

void notifyParent(HWND control, WORD code) {
    HWND parent = GetParent(control);
    if (!parent) return;
    auto id = static_cast<WORD>(GetWindowLongPtrA(control, GWLP_ID));
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

HFONT fontOrDefault(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); }

std::string storedText(HWND control) {
    auto length = static_cast<int>(DefWindowProcA(control, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    auto got = static_cast<int>(
        DefWindowProcA(control, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(got < 0 ? 0 : got));
    return text;
}

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }

bool hasStyle(HWND window, DWORD bits) { return (styleOf(window) & bits) == bits; }

void drawBitmapCentred(HDC dc, HBITMAP bitmap, const RECT& area) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) return;
    HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    HGDIOBJ previous = SelectObject(source, bitmap);
    int areaWidth = area.right - area.left;
    int areaHeight = area.bottom - area.top;
    int width = info.bmWidth < areaWidth ? info.bmWidth : areaWidth;
    int height = info.bmHeight < areaHeight ? info.bmHeight : areaHeight;
    int x = area.left + (areaWidth - width) / 2;
    int y = area.top + (areaHeight - height) / 2;
    BitBlt(dc, x, y, width, height, source, (info.bmWidth - width) / 2, (info.bmHeight - height) / 2, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

// Text the user selected with the mouse goes to the desktop's selection.
void offerMouseSelection(const std::string& text) {
    if (!text.empty() && display::hasBackend()) display::backend().setSelectionText(text);
}

}  // namespace user::controls

// The common-controls library: the program only initialises it. The classes it would
// register are not used by this program, so there is nothing to do.
void WINAPI InitCommonControls(void) {}
