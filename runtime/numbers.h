// Number and text conversion as the editor shows and reads numbers: a leading blank,
// two decimals for non-integral values, and parsing that stops at the first character
// outside a plain decimal number.
#pragma once

#include <cstdint>

constexpr int32_t decimalPrecision = 2;

// Round to nearest, ties to even, for every double-to-int32 conversion of the program.
void setNumericControlState();
char* numberToText(double number);  // new text value
double textToNumber(const char* text);
double power(double base, double exponent);
// Nearest, ties to even; NaN and values outside int32 give -2147483648.
int32_t roundToInt32(double value);
