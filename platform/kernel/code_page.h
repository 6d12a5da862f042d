// Windows-1252, the single-byte code page of the program's texts on this layer.
#pragma once

#include <cstdint>

namespace kernel {

char16_t windows1252ToUtf16(unsigned char byte);
// The byte for `unit`, or -1 when Windows-1252 has no character for it.
int utf16ToWindows1252(char16_t unit);

unsigned char upperWindows1252(unsigned char byte);
unsigned char lowerWindows1252(unsigned char byte);

}  // namespace kernel
