// The code page calls on Windows-1252 texts, and its case mapping.
#include "codepage/windows1252.h"
#include "kernel/last_error.h"
#include "kernel/letter_case.h"

#include <optional>

namespace {

bool supportedCodePage(UINT codePage) { return codePage == CP_ACP || codePage == 1252; }

}  // namespace

namespace kernel {

unsigned char upperWindows1252(unsigned char byte) {
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) return byte - 0x20;
    switch (byte) {
    case 0x9A:
        return 0x8A;  // s caron
    case 0x9C:
        return 0x8C;  // oe
    case 0x9E:
        return 0x8E;  // z caron
    case 0xFF:
        return 0x9F;  // y diaeresis
    default:
        return byte;
    }
}

unsigned char lowerWindows1252(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) return byte + 0x20;
    switch (byte) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        return byte;
    }
}

}  // namespace kernel

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    if (!supportedCodePage(CodePage) || !lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
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
        lpWideCharStr[i] =
            static_cast<WCHAR>(codepage::windows1252ToUnicode(static_cast<unsigned char>(lpMultiByteStr[i])));
    return length;
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (!supportedCodePage(CodePage) || !lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr)) {
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
        std::optional<unsigned char> byte = codepage::unicodeToWindows1252(lpWideCharStr[i]);
        if (!byte && lpUsedDefaultChar) *lpUsedDefaultChar = TRUE;
        lpMultiByteStr[i] = byte ? static_cast<char>(*byte) : fallback;
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
