// Text between the program and the controls of a dialog on screen.
#include "runtime/control_text.h"

#include "runtime/text.h"

namespace {

HWND controlOf(const DialogObject& dialog, int32_t controlId) {
    return dialog.window ? GetDlgItem(dialog.window, controlId) : nullptr;
}

}  // namespace

char* getControlText(const DialogObject& dialog, int32_t controlId) {
    char* text = allocText(2);
    HWND control = controlOf(dialog, controlId);
    if (!control) return text;
    int length = GetWindowTextLengthA(control);
    freeText(text);
    text = allocText(static_cast<uint32_t>(length) + 1);
    if (text) GetWindowTextA(control, text, length + 1);
    return text;
}

void setControlText(const DialogObject& dialog, int32_t controlId, const char* text) {
    if (HWND control = controlOf(dialog, controlId)) SetWindowTextA(control, text);
}
