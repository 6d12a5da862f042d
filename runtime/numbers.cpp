// Numbers as the editor shows and reads them.
#include "runtime/numbers.h"

#include "runtime/text.h"

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdio>

namespace {

constexpr uint32_t numberTextSize = 512;

// The powers of ten that a double holds exactly.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void setNumericControlState() {
    std::fesetround(FE_TONEAREST);
#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
    // x87: round to nearest, 64-bit significand, every exception masked (0x033F), so that
    // power() evaluates with the full extended precision.
    _controlfp(_RC_NEAR | _PC_64 | _MCW_EM, _MCW_RC | _MCW_PC | _MCW_EM);
#endif
}

char* numberToText(double number) {
    char* text = allocText(numberTextSize);
    if (!text) return nullptr;
    // Integral values print as integers; the check is done on the value truncated to 64
    // bits, so values beyond that range (and NaN) count as non-integral.
    bool integral = false;
    int64_t truncated = 0;
    if (number >= -9223372036854775808.0 && number < 9223372036854775808.0) {
        truncated = static_cast<int64_t>(number);
        integral = static_cast<double>(truncated) == number;
    }
    if (integral)
        std::snprintf(text, numberTextSize, " %d", static_cast<int32_t>(static_cast<uint32_t>(truncated)));
    else
        std::snprintf(text, numberTextSize, " %.*f", decimalPrecision, number);
    return text;
}

double textToNumber(const char* text) {
    const char* c = text;
    while (*c == ' ' || *c == '\t') ++c;
    bool negative = *c == '-';
    if (negative) ++c;
    double value = 0.0;
    for (; isDigit(*c); ++c) {
        value = value * 10.0;
        value = value + static_cast<double>(*c - '0');
    }
    if (*c == '.') {
        ++c;
        // Each fraction digit is scaled and added on its own, every step rounded to a
        // double; this is why 0.3 reads as 0.30000000000000004.
        for (int k = 1; isDigit(*c); ++k, ++c) {
            double scale = 1.0 / power(10.0, k);
            double scaled = static_cast<double>(*c - '0') * scale;
            value = value + scaled;
        }
    }
    return negative ? -value : value;
}

// Powers of ten up to 10^22 come from the table, exact whatever the long double of the
// platform; every other power is 2^(exponent * log2 base) in extended precision.
double power(double base, double exponent) {
    if (base == 10.0 && exponent >= 0 && exponent <= 22 && exponent == std::floor(exponent))
        return exactPowersOfTen[static_cast<int>(exponent)];
    return static_cast<double>(
        std::exp2(static_cast<long double>(exponent) * std::log2(static_cast<long double>(base))));
}

int32_t roundToInt32(double value) {
    double rounded = std::nearbyint(value);  // the current mode: to nearest, ties to even
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return INT32_MIN;
    return static_cast<int32_t>(rounded);
}
