#include "app/form_fields.h"

#include "app/editor_form.h"
#include "app/editor_state.h"
#include "runtime/control_text.h"
#include "runtime/numbers.h"
#include "runtime/text.h"

int32_t readNumberControl(int32_t controlId) {
    char* text = getControlText(editorState().editorForm, controlId);
    pushTemporary(text);
    double number = textToNumber(text);
    popTemporaries(1);
    return roundToInt32(number);
}

void showNumber(int32_t controlId, int32_t value) {
    char* text = numberToText(value);
    pushTemporary(text);
    setControlText(editorState().editorForm, controlId, text);
    popTemporaries(1);
}

void showText(int32_t controlId, const char* text) { setControlText(editorState().editorForm, controlId, text); }
