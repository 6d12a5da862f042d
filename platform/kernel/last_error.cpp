#include "kernel/last_error.h"

#include <cerrno>
#include <cstring>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

DWORD WINAPI GetLastError(void) { return lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }

namespace kernel {

DWORD errorFromErrno(int error, DWORD ioError) {
    switch (error) {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return ERROR_DISK_FULL;
    case EIO:
        return ioError;
    case EAGAIN:
    case ETXTBSY:
    case EBUSY:
        return ERROR_SHARING_VIOLATION;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV:
        return ERROR_NOT_SAME_DEVICE;
    case ELOOP:
        return ERROR_PATH_NOT_FOUND;
    default:
        return ERROR_INVALID_PARAMETER;
    }
}

BOOL failFromErrno(DWORD ioError) { return failWith(errorFromErrno(errno, ioError)); }

BOOL failWith(DWORD error) {
    SetLastError(error);
    return FALSE;
}

}  // namespace kernel

namespace {

struct SystemMessage {
    DWORD error;
    const char* text;
};

// The system's own texts of the errors this layer reports.
constexpr SystemMessage systemMessages[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
    {ERROR_NOT_SAME_DEVICE, "The system cannot move the file to a different disk drive."},
    {ERROR_WRITE_FAULT, "The system cannot write to the specified device."},
    {ERROR_READ_FAULT, "The system cannot read from the specified device."},
    {ERROR_SHARING_VIOLATION, "The process cannot access the file because it is being used by another process."},
    {ERROR_FILE_EXISTS, "The file exists."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists."},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
};

}  // namespace

// The text of a system error, ending with a line break as the system's texts do; only
// FORMAT_MESSAGE_FROM_SYSTEM into the caller's buffer. Returns the length without the
// terminator, 0 when the error has no text or the buffer cannot hold it.
DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD, LPSTR lpBuffer, DWORD nSize, va_list*) {
    if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) || !lpBuffer) return kernel::failWith(ERROR_INVALID_PARAMETER);
    for (const SystemMessage& message : systemMessages) {
        if (message.error != dwMessageId) continue;
        size_t length = std::strlen(message.text) + 2;
        if (length >= nSize) return kernel::failWith(ERROR_INSUFFICIENT_BUFFER);
        std::memcpy(lpBuffer, message.text, length - 2);
        std::memcpy(lpBuffer + length - 2, "\r\n", 3);
        return static_cast<DWORD>(length);
    }
    return kernel::failWith(ERROR_MR_MID_NOT_FOUND);
}
