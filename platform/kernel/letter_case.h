// Capitals and small letters of Windows-1252, accented letters included.
#pragma once

namespace kernel {

unsigned char upperWindows1252(unsigned char byte);
unsigned char lowerWindows1252(unsigned char byte);

}  // namespace kernel
