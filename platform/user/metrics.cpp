// System metrics and parameters: the classic fixed sizes, and the screen and work area
// from the display.
#include "user/window_internal.h"

int WINAPI GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXSCREEN: return display::backend().screen().width();
    case SM_CYSCREEN: return display::backend().screen().height();
    case SM_CXFULLSCREEN: return display::backend().workArea().width();
    case SM_CYFULLSCREEN: return display::backend().workArea().height() - GetSystemMetrics(SM_CYCAPTION);
    // As large as a window with a sizing frame can be dragged to cover the screen.
    case SM_CXMAXTRACK: return GetSystemMetrics(SM_CXSCREEN) + 2 * GetSystemMetrics(SM_CXFRAME);
    case SM_CYMAXTRACK: return GetSystemMetrics(SM_CYSCREEN) + 2 * GetSystemMetrics(SM_CYFRAME);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;
    case SM_CYCAPTION: return 19;  // the bar and the one-pixel line below it
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 16;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CYMENU: return 19;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
    if (uiAction != SPI_GETWORKAREA || !pvParam) return FALSE;
    display::Rect work = display::backend().workArea();
    *static_cast<RECT*>(pvParam) = RECT{work.left, work.top, work.right, work.bottom};
    return TRUE;
}
