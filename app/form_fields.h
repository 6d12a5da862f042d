// Reading and writing the editor form's controls as numbers and texts.
#pragma once

#include <cstdint>

// The control's text as a number rounded to int32 (nearest, ties to even); a text that
// does not begin with a number reads as 0.
int32_t readNumberControl(int32_t controlId);
// Shows a number as the number conversion writes it: a blank, then the digits.
void showNumber(int32_t controlId, int32_t value);
void showText(int32_t controlId, const char* text);
