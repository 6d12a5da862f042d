// Writes a PNG of a window holding the three control classes in their usual states, for
// people to look at: a focused edit with a selection, a label, a group box, a pushed and
// an unpushed button, the default button, a check box and a radio button.
// Usage: controls_screenshot out.png
#include "display/headless/headless.h"
#include "ui_driver.h"

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s out.png\n", argv[0]);
        return 2;
    }
    display::installHeadless();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "ScreenshotParent";
    RegisterClassExA(&windowClass);
    HWND parent = CreateWindowExA(0, "ScreenshotParent", "Controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 20, 20,
                                  420, 260, nullptr, nullptr, nullptr, nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    auto child = [&](DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y, int w, int h,
                     int id) {
        HWND control = CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    child(0, "STATIC", "1. A label, simple and notifying", SS_SIMPLE | SS_NOTIFY, 12, 12, 380, 16, 1);
    HWND edit = child(WS_EX_CLIENTEDGE, "EDIT", "Some text in a field", WS_BORDER, 12, 34, 250, 20, 6);
    child(0, "BUTTON", "Group", BS_GROUPBOX, 12, 66, 250, 80, 31);
    child(0, "STATIC", "Inside the group", SS_LEFT, 24, 88, 200, 16, 33);
    child(0, "BUTTON", "Check", BS_AUTOCHECKBOX, 24, 112, 100, 18, 40);
    child(0, "BUTTON", "Radio", BS_AUTORADIOBUTTON, 130, 112, 100, 18, 41);
    HWND pushed = child(0, "BUTTON", "Pushed", BS_PUSHBUTTON, 290, 34, 100, 24, 28);
    child(0, "BUTTON", "Unpushed", BS_PUSHBUTTON, 290, 66, 100, 24, 29);
    child(0, "BUTTON", "Default", BS_DEFPUSHBUTTON, 290, 98, 100, 24, 30);
    child(0, "BUTTON", "Disabled", BS_PUSHBUTTON | WS_DISABLED, 290, 130, 100, 24, 34);
    ShowWindow(parent, SW_SHOW);
    SendMessageA(GetDlgItem(parent, 40), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(GetDlgItem(parent, 41), BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 5, 9);
    SendMessageA(pushed, BM_SETSTATE, TRUE, 0);
    testui::pumpUntilIdle();
    bool written = display::writePng(argv[1], testui::headless().screenshot());
    DestroyWindow(parent);
    DeleteObject(font);
    return written ? 0 : 1;
}
