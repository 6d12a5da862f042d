// The lstr* calls on Windows-1252 texts, and MulDiv. Like Win32 they accept null
// pointers without crashing.
#include "kernel/letter_case.h"

#include <windows.h>

#include <cstring>

namespace {

int sign(int value) { return (value > 0) - (value < 0); }

// lstrcmpA sorts like a word list: letters first compared without case, then a small
// letter before its capital; only identical texts compare equal.
int compareWordOrder(const unsigned char* a, const unsigned char* b, bool ignoreCase) {
    const unsigned char *x = a, *y = b;
    for (; *x && kernel::lowerWindows1252(*x) == kernel::lowerWindows1252(*y); ++x, ++y) {
    }
    int folded = sign(int(kernel::lowerWindows1252(*x)) - int(kernel::lowerWindows1252(*y)));
    if (folded != 0 || ignoreCase) return folded;
    for (x = a, y = b; *x && *x == *y; ++x, ++y) {
    }
    // Same letters, different case at the first difference: the small letter goes first.
    if (*x == *y) return 0;
    return kernel::lowerWindows1252(*x) == *x ? -1 : 1;
}

int compareNullable(LPCSTR a, LPCSTR b, bool ignoreCase) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    return compareWordOrder(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b),
                            ignoreCase);
}

}  // namespace

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) { return compareNullable(lpString1, lpString2, false); }

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) { return compareNullable(lpString1, lpString2, true); }

int WINAPI lstrlenA(LPCSTR lpString) { return lpString ? static_cast<int>(std::strlen(lpString)) : 0; }

LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
    if (!lpString1 || !lpString2) return nullptr;
    return std::strcat(lpString1, lpString2);
}

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || !lpString2) return nullptr;
    if (iMaxLength <= 0) return lpString1;
    // At most iMaxLength - 1 characters, always terminated.
    int i = 0;
    for (; i < iMaxLength - 1 && lpString2[i]; ++i) lpString1[i] = lpString2[i];
    lpString1[i] = '\0';
    return lpString1;
}

int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0) return -1;
    int64_t product = static_cast<int64_t>(nNumber) * nNumerator;
    int64_t quotient = product / nDenominator;
    int64_t remainder = product % nDenominator;
    // Halves round away from zero.
    if (2 * (remainder < 0 ? -remainder : remainder) >= (nDenominator < 0 ? -int64_t(nDenominator) : nDenominator))
        quotient += ((product < 0) != (nDenominator < 0)) ? -1 : 1;
    if (quotient > INT32_MAX || quotient < INT32_MIN) return -1;
    return static_cast<int>(quotient);
}
