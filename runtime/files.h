// Record files: fixed-length records addressed by number, record n at byte (n - 1) * length.
#pragma once

#include <windows.h>

#include <cstdint>

using FileVariable = HANDLE;  // null while closed

constexpr uint32_t fileKindText = 6;
constexpr uint32_t fileKindRecord = 11;

// 0 = opened, 1 = not opened.
int32_t openFile(FileVariable* file, uint32_t kind, const char* path, const char* mode);
void closeFile(FileVariable* file, uint32_t kind);
// 0 when the whole record moved; 1 when the platform refused or moved less. A read at
// or past the end of the file leaves the buffer as it was (and reports 1).
int32_t readRecord(FileVariable file, int32_t record, void* buffer, uint32_t length);
int32_t writeRecord(FileVariable file, int32_t record, const void* buffer, uint32_t length);
// Push what was written to the medium; 0 = done, 1 = failed.
int32_t flushFile(FileVariable file);
// The file's length in bytes, or -1 when the platform cannot tell.
int64_t fileLength(FileVariable file);
// Cuts the file (or extends it) to `length` bytes; 0 = done, 1 = failed.
int32_t setFileLength(FileVariable file, int64_t length);
// 0 = done, 1 = failed.
int32_t copyFile(const char* source, const char* destination, int32_t failIfExists);
int32_t deleteFile(const char* path);
char* startDirectory();  // new text value, ends with the directory separator
