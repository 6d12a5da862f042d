// The texts of a dialog's controls, as text values.
#pragma once

#include "runtime/dialog_object.h"

#include <cstdint>

// Control texts of a dialog on screen; an empty text value when it is not.
char* getControlText(const DialogObject& dialog, int32_t controlId);
void setControlText(const DialogObject& dialog, int32_t controlId, const char* text);
