// The calling thread's last-error value and the translation of POSIX errors into it.
#pragma once

#include <windows.h>

namespace kernel {

// The Win32 error that best describes errno value `error`; `ioError` is what a plain
// input/output error (EIO) means for the operation at hand (ERROR_READ_FAULT or
// ERROR_WRITE_FAULT).
DWORD errorFromErrno(int error, DWORD ioError = ERROR_WRITE_FAULT);

// Sets the last error from errno and returns FALSE, the usual ending of a failed call.
BOOL failFromErrno(DWORD ioError = ERROR_WRITE_FAULT);
BOOL failWith(DWORD error);

}  // namespace kernel
