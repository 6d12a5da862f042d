// Record files: numbered fixed-length records, one positioning and one transfer each.
#include "runtime/files.h"

#include "runtime/messages.h"
#include "runtime/text.h"

#include <string>

namespace {

struct OpenMode {
    const char* text;
    bool recordKindOnly;  // the "+" modes exist for record files only
    DWORD access;
    DWORD sharing;
    DWORD disposition;
};

// Searched in this order; the first exact, case-sensitive match counts.
constexpr OpenMode openModes[] = {
    {"R", false, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING},
    {"r", false, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING},
    {"R+", true, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING},
    {"r+", true, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING},
    {"W", false, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS},
    {"w", false, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS},
    {"A", false, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS},
    {"a", false, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS},
};

constexpr DWORD openFlags = FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL;

bool isFileKind(uint32_t kind) {
    uint32_t low = kind & 0xFFFF;
    return low == fileKindText || low == fileKindRecord;
}

const OpenMode* modeFor(const char* mode, uint32_t kind) {
    bool recordFile = (kind & 0xFFFF) == fileKindRecord;
    for (const OpenMode& candidate : openModes)
        if ((recordFile || !candidate.recordKindOnly) && lstrcmpA(mode, candidate.text) == 0) return &candidate;
    return nullptr;
}

// Moves to record `record` of `length` bytes. Offsets are 32-bit signed products widened
// with their sign; a negative record number or an offset beyond 2,147,483,647 lies
// outside every file this service addresses, so such a transfer does nothing and fails.
bool seekRecord(FileVariable file, int32_t record, uint32_t length) {
    if (record < 1) return false;
    int64_t offset = int64_t(record - 1) * int64_t(length);
    if (offset > INT32_MAX) return false;
    LONG high = 0;
    DWORD low = SetFilePointer(file, static_cast<LONG>(offset), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

}  // namespace

int32_t openFile(FileVariable* file, uint32_t kind, const char* path, const char* mode) {
    if (!isFileKind(kind)) {
        messageBox(nullptr, "Runtime error (OPENFILE): file variable expected", "Error", 0);
        return 1;
    }
    // A mode outside the kind's list is refused rather than guessed: any guess could
    // create or empty a file that the caller meant only to read.
    const OpenMode* row = mode ? modeFor(mode, kind) : nullptr;
    if (!row || !file) return 1;
    HANDLE handle = CreateFileA(path, row->access, row->sharing, nullptr, row->disposition, openFlags, nullptr);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return 1;
    *file = handle;
    if (lstrcmpA(mode, "a") == 0 || lstrcmpA(mode, "A") == 0) {
        LONG high = 0;
        SetFilePointer(handle, 0, &high, FILE_END);
    }
    return 0;
}

void closeFile(FileVariable* file, uint32_t kind) {
    if (!isFileKind(kind)) {
        messageBox(nullptr, "Runtime Error: Invalid file variable", "Error", 0);
        return;
    }
    if (!file || !*file) return;
    CloseHandle(*file);
    *file = nullptr;
}

int32_t readRecord(FileVariable file, int32_t record, void* buffer, uint32_t length) {
    if (!file || record == 0 || !buffer || !seekRecord(file, record, length)) return 1;
    // One read: the bytes the file holds land at the start of the buffer, the rest of
    // the buffer keeps what it held.
    DWORD moved = 0;
    BOOL ok = ReadFile(file, buffer, length, &moved, nullptr);
    return ok && moved == length ? 0 : 1;
}

int32_t writeRecord(FileVariable file, int32_t record, const void* buffer, uint32_t length) {
    if (!file || record == 0 || !buffer || !seekRecord(file, record, length)) return 1;
    DWORD moved = 0;
    BOOL ok = WriteFile(file, buffer, length, &moved, nullptr);
    return ok && moved == length ? 0 : 1;
}

int32_t flushFile(FileVariable file) { return file && FlushFileBuffers(file) ? 0 : 1; }

int64_t fileLength(FileVariable file) {
    if (!file) return -1;
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
    return static_cast<int64_t>((uint64_t(high) << 32) | low);
}

int32_t setFileLength(FileVariable file, int64_t length) {
    if (!file || length < 0) return 1;
    LONG high = static_cast<LONG>(length >> 32);
    DWORD low = SetFilePointer(file, static_cast<LONG>(length & 0xFFFFFFFF), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return 1;
    return SetEndOfFile(file) ? 0 : 1;
}

int32_t copyFile(const char* source, const char* destination, int32_t failIfExists) {
    return CopyFileA(source, destination, failIfExists ? TRUE : FALSE) ? 0 : 1;
}

int32_t deleteFile(const char* path) { return DeleteFileA(path) ? 0 : 1; }

char* startDirectory() {
#ifdef _WIN32
    constexpr char separator = '\\';
#else
    constexpr char separator = '/';
#endif
    // The whole name however long it is: a name cut short would lead to the wrong file.
    std::string name(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    size_t last = name.find_last_of(separator);
    if (last != std::string::npos) name.resize(last + 1);
    return duplicateText(name.c_str());
}
