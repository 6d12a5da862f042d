// The EDIT class: a single-line text field.
#include "user/control_support.h"
#include "user/system_classes.h"

namespace user {
namespace {

LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // A field with the sunken client edge has no plain border besides.
        LONG style = GetWindowLongA(window, GWL_STYLE);
        if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && (style & WS_BORDER))
            SetWindowLongA(window, GWL_STYLE, style & ~static_cast<LONG>(WS_BORDER));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void registerEditClass() {
    controls::registerControlClass("Edit", 0x0081, editProcedure, CS_DBLCLKS, IDC_IBEAM);
}

}  // namespace user
