// Windows-1252 <-> UTF-16, case mapping, and the two conversion calls.
#include "kernel/code_page.h"

#include "kernel/last_error.h"

namespace {

// 0x80..0x9F differ from Latin-1; the five bytes without a character map to the C1
// control of the same value, as Win32 does.
constexpr char16_t highControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool supportedCodePage(UINT codePage) { return codePage == CP_ACP || codePage == 1252; }

}  // namespace

namespace kernel {

char16_t windows1252ToUtf16(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? highControlRange[byte - 0x80] : char16_t(byte);
}

int utf16ToWindows1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
    for (int i = 0; i < 32; ++i)
        if (highControlRange[i] == unit) return 0x80 + i;
    return -1;
}

unsigned char upperWindows1252(unsigned char byte) {
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) return byte - 0x20;
    switch (byte) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return byte;
    }
}

unsigned char lowerWindows1252(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) return byte + 0x20;
    switch (byte) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return byte;
    }
}

}  // namespace kernel

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    if (!supportedCodePage(CodePage) || !lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 ||
        cchWideChar < 0 || (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // -1: the text is zero-terminated and the terminator is converted too.
    int length = cbMultiByte;
    if (length == -1) {
        length = 0;
        while (lpMultiByteStr[length]) ++length;
        ++length;
    }
    if (cchWideChar == 0) return length;
    if (cchWideChar < length) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (int i = 0; i < length; ++i)
        lpWideCharStr[i] = kernel::windows1252ToUtf16(static_cast<unsigned char>(lpMultiByteStr[i]));
    return length;
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (!supportedCodePage(CodePage) || !lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 ||
        cbMultiByte < 0 || (cbMultiByte > 0 && !lpMultiByteStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int length = cchWideChar;
    if (length == -1) {
        length = 0;
        while (lpWideCharStr[length]) ++length;
        ++length;
    }
    if (lpUsedDefaultChar) *lpUsedDefaultChar = FALSE;
    if (cbMultiByte == 0) return length;
    if (cbMultiByte < length) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    char fallback = lpDefaultChar ? *lpDefaultChar : '?';
    for (int i = 0; i < length; ++i) {
        int byte = kernel::utf16ToWindows1252(lpWideCharStr[i]);
        if (byte < 0) {
            if (lpUsedDefaultChar) *lpUsedDefaultChar = TRUE;
            lpMultiByteStr[i] = fallback;
        } else {
            lpMultiByteStr[i] = static_cast<char>(byte);
        }
    }
    return length;
}

LPSTR WINAPI CharUpperA(LPSTR lpsz) {
    // A pointer whose high word is zero carries a single character in its low byte.
    if (IS_INTRESOURCE(lpsz))
        return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(kernel::upperWindows1252(LOBYTE(lpsz))));
    for (char* c = lpsz; *c; ++c) *c = static_cast<char>(kernel::upperWindows1252(static_cast<unsigned char>(*c)));
    return lpsz;
}

LPSTR WINAPI CharLowerA(LPSTR lpsz) {
    if (IS_INTRESOURCE(lpsz))
        return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(kernel::lowerWindows1252(LOBYTE(lpsz))));
    for (char* c = lpsz; *c; ++c) *c = static_cast<char>(kernel::lowerWindows1252(static_cast<unsigned char>(*c)));
    return lpsz;
}
