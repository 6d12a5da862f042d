// Win32 files on POSIX descriptors. A HANDLE points at an OpenFile of ours; handles are
// checked against the set of open ones so that a stale or foreign handle fails like on
// Win32 instead of touching a random descriptor.
//
// Share modes: Win32 programs rely on the system refusing a second writer. Every open
// with write access takes an exclusive lock on its open file description, both the OFD
// lock (whole file) and flock(), so that programs using either are kept out; it also
// conflicts with another open of the same process. Read-only opens take none and never
// conflict. Deleting, renaming or replacing a file that some open holds for writing fails
// with ERROR_SHARING_VIOLATION, as Win32 refuses it while the file is open without
// FILE_SHARE_DELETE; this process's own opens that granted FILE_SHARE_DELETE let their
// file be renamed or deleted, and a file open here cannot be replaced at all.
//
// Buffers: a handle that holds the write lock is the only open anywhere that can change
// its file, so it may read ahead and keep written bytes back (file_buffers.h). Bytes read
// ahead are forgotten when this handle writes over them or cuts the file. Bytes kept back
// reach the file before anything of this process reads, measures, cuts, flushes, closes
// or copies it, and at exit; a failure to write them out is reported by the handle's next
// write and by its flush.
#include "kernel/fault_injection.h"
#include "kernel/file_buffers.h"
#include "kernel/last_error.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>

namespace {

struct OpenFile {
    int fd;
    bool canRead;
    bool canWrite;
    bool sharesDelete;
    dev_t device;
    ino_t inode;
    // The handle's file pointer, kept here rather than in the descriptor so that a
    // record transfer is one pread or pwrite instead of a seek and a transfer.
    int64_t position = 0;
    bool buffered = false;  // holds the write lock
    kernel::ReadAhead reads{};
    kernel::WriteBehind writes{};
};

std::mutex openFilesMutex;
std::unordered_set<OpenFile*> openFiles;

OpenFile* openFileOf(HANDLE handle) {
    std::lock_guard<std::mutex> guard(openFilesMutex);
    auto found = openFiles.find(static_cast<OpenFile*>(handle));
    return found == openFiles.end() ? nullptr : *found;
}

// Called before anything that reads, measures, cuts or copies the file `file` is open on
// (every file when null): the bytes that handles of this process keep back for it are
// written out first. Returns the error of a write out that failed now.
DWORD settleWritesTo(const OpenFile* file) {
    if (!kernel::someWritesPending()) return ERROR_SUCCESS;
    DWORD error = ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(openFilesMutex);
    for (OpenFile* keeper : openFiles) {
        bool sameFile = !file || (keeper->device == file->device && keeper->inode == file->inode);
        if (sameFile && keeper->writes.pending() && !keeper->writes.drain(keeper->fd) && error == ERROR_SUCCESS)
            error = keeper->writes.failure();
    }
    return error;
}

// A program that ends without closing its files still leaves in them what it wrote.
struct WritesAtExit {
    ~WritesAtExit() { settleWritesTo(nullptr); }
} writesAtExit;

#ifdef EDITOR_FAULT_INJECTION
#define COUNTED_FILE_OPERATION kernel::CountedFileOperation countedOperation
#else
#define COUNTED_FILE_OPERATION
#endif

// True when the current counted operation was made to fail (test builds only).
bool failsOnPurpose() {
#ifdef EDITOR_FAULT_INJECTION
    DWORD error = kernel::nextFileOperationFault();
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return true;
    }
#endif
    return false;
}

enum class LockResult { taken, conflict, unsupported };

LockResult lockResultOf(int error) {
    // A file system without these locks cannot honour share modes; opening still works.
    return error == EAGAIN || error == EACCES || error == EWOULDBLOCK ? LockResult::conflict : LockResult::unsupported;
}

// Both kinds of lock that other programs may use, on the whole file (l_start 0, l_len 0:
// to the end, however far it grows); a conflict on either is a conflict.
LockResult lockWholeFile(int fd, bool exclusive) {
    LockResult result = LockResult::taken;
#ifdef F_OFD_SETLK
    struct flock lock {};
    lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) result = lockResultOf(errno);
    if (result == LockResult::conflict) return result;
#endif
    if (flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        LockResult flockResult = lockResultOf(errno);
        if (flockResult == LockResult::conflict || result == LockResult::taken) result = flockResult;
    }
    return result;
}

enum class OwnOpens { none, allShareDelete, someWithout };

// This process's opens of the file `path` names (not following a link at the name).
// `writing` tells whether one of them holds the file for writing, and so its lock.
OwnOpens ownOpensOf(const char* path, bool& writing) {
    writing = false;
    struct stat info;
    if (lstat(path, &info) != 0) return OwnOpens::none;
    OwnOpens result = OwnOpens::none;
    std::lock_guard<std::mutex> guard(openFilesMutex);
    for (const OpenFile* file : openFiles) {
        if (file->device != info.st_dev || file->inode != info.st_ino) continue;
        if (!file->sharesDelete) return OwnOpens::someWithout;
        result = OwnOpens::allShareDelete;
        writing = writing || file->canWrite;
    }
    return result;
}

// Holds a shared lock on a named file for as long as it lives, which proves that no open
// holds the file for writing and keeps a writer from coming in meanwhile. A file that is
// missing or cannot be read simply gets no guard: the operation itself then reports.
// Names are what a rename or delete acts on, so a link at the name is not followed.
class WriterExclusion {
public:
    explicit WriterExclusion(const char* path) {
        fd_ = open(path, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd_ >= 0 && lockWholeFile(fd_, false) == LockResult::conflict) conflict_ = true;
    }
    ~WriterExclusion() {
        if (fd_ >= 0) close(fd_);
    }
    WriterExclusion(const WriterExclusion&) = delete;
    WriterExclusion& operator=(const WriterExclusion&) = delete;
    bool heldByWriter() const { return conflict_; }
    // Hands over the open file: the caller closes it.
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_ = -1;
    bool conflict_ = false;
};

std::string directoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename in `directory` durable; a failure here loses nothing already written.
void syncDirectory(const std::string& directory) {
    int fd = open(directory.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool pathExists(const char* path) {
    struct stat info;
    return lstat(path, &info) == 0;
}

HANDLE invalidHandle(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

// Opens without truncating; reports whether the file was there before.
int openForDisposition(const char* path, int accessFlags, DWORD disposition, bool& existed) {
    bool mayCreate = disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (mayCreate) {
            int fd = open(path, accessFlags | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0 || errno != EEXIST || disposition == CREATE_NEW) {
                existed = fd < 0;
                return fd;
            }
        }
        int fd = open(path, accessFlags | O_CLOEXEC);
        existed = true;
        // Deleted between the two attempts: try creating again.
        if (fd >= 0 || errno != ENOENT || !mayCreate) return fd;
    }
    return -1;
}

// The open itself never waits (a FIFO without a writer would hold it for ever, where a
// Win32 open returns at once); transfers on what is not a regular file then wait as
// Win32's do. On a regular file the flag means nothing.
void keepTransfersBlocking(int fd, const struct stat& info) {
    if (!S_ISREG(info.st_mode)) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    if (!lpFileName || !*lpFileName) return invalidHandle(ERROR_PATH_NOT_FOUND);
    bool wantsRead = dwDesiredAccess & GENERIC_READ;
    bool wantsWrite = dwDesiredAccess & GENERIC_WRITE;
    bool truncates = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
    if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING ||
        (dwCreationDisposition == TRUNCATE_EXISTING && !wantsWrite))
        return invalidHandle(ERROR_INVALID_PARAMETER);

    int accessFlags = wantsWrite ? (wantsRead ? O_RDWR : O_WRONLY) : O_RDONLY;
    bool existed = false;
    int fd = -1;
    struct stat info;
    LockResult lock = LockResult::unsupported;
    for (int attempt = 0;; ++attempt) {
        fd = openForDisposition(lpFileName, accessFlags | O_NONBLOCK, dwCreationDisposition, existed);
        if (fd < 0) return invalidHandle(kernel::errorFromErrno(errno, ERROR_READ_FAULT));
        if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
            close(fd);
            return invalidHandle(ERROR_ACCESS_DENIED);
        }
        keepTransfersBlocking(fd, info);
        if (wantsWrite && (lock = lockWholeFile(fd, true)) == LockResult::conflict) {
            close(fd);
            return invalidHandle(ERROR_SHARING_VIOLATION);
        }
        // A writer that renamed another file over the name between our open and our lock
        // left us its predecessor, which no name leads to any more: open the name again.
        if (!wantsWrite || attempt == 3 || fstat(fd, &info) != 0 || info.st_nlink > 0) break;
        close(fd);
    }
    // Only now, holding the lock, may an existing file lose its contents.
    if (truncates && existed && ftruncate(fd, 0) != 0) {
        DWORD error = kernel::errorFromErrno(errno);
        close(fd);
        return invalidHandle(error);
    }
#ifdef POSIX_FADV_SEQUENTIAL
    if (dwFlagsAndAttributes & FILE_FLAG_SEQUENTIAL_SCAN) posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif

    auto* file =
        new OpenFile{fd, wantsRead, wantsWrite, (dwShareMode & FILE_SHARE_DELETE) != 0, info.st_dev, info.st_ino};
    file->buffered = lock == LockResult::taken;
    {
        std::lock_guard<std::mutex> guard(openFilesMutex);
        openFiles.insert(file);
    }
    bool reportsExisting = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return file;
}

namespace {

// A write that continues the handle's run is kept back; any other goes to the file after
// what was kept. A failure sets the last error.
bool writeThroughBuffers(OpenFile& file, const char* data, size_t size, size_t& done) {
    done = 0;
    if (!file.buffered) {
        if (kernel::writeAll(file.fd, data, size, done, &file.position)) return true;
        return kernel::failFromErrno(ERROR_WRITE_FAULT);
    }
    if (file.writes.failure() != ERROR_SUCCESS) return kernel::failWith(file.writes.failure());
    file.reads.forgetOverlap(file.position, size);
    if (file.writes.take(file.fd, file.position, data, size)) {
        done = size;
        file.position += static_cast<int64_t>(size);
        return true;
    }
    if (!file.writes.drain(file.fd) || file.writes.failure() != ERROR_SUCCESS)
        return kernel::failWith(file.writes.failure());
    bool ok = kernel::writeAll(file.fd, data, size, done, &file.position);
    if (!ok) return kernel::failFromErrno(ERROR_WRITE_FAULT);
    file.writes.wroteThrough(file.position);
    return true;
}

}  // namespace

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                     LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
    OpenFile* file = openFileOf(hFile);
    if (!file) return kernel::failWith(ERROR_INVALID_HANDLE);
    if (!file->canRead) return kernel::failWith(ERROR_ACCESS_DENIED);
    if (nNumberOfBytesToRead && !lpBuffer) return kernel::failWith(ERROR_NOACCESS);
    file->writes.interrupt();
    if (DWORD error = settleWritesTo(file); error != ERROR_SUCCESS) return kernel::failWith(error);
    size_t done = 0;
    char* into = static_cast<char*>(lpBuffer);
    int64_t at = file->position;
    bool ok = file->buffered ? file->reads.read(file->fd, at, into, nNumberOfBytesToRead, done)
                             : kernel::readAll(file->fd, into, nNumberOfBytesToRead, done, &at);
    file->position += static_cast<int64_t>(done);
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = static_cast<DWORD>(done);
    return ok ? TRUE : kernel::failFromErrno(ERROR_READ_FAULT);
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
                      LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
    OpenFile* file = openFileOf(hFile);
    if (!file) return kernel::failWith(ERROR_INVALID_HANDLE);
    if (!file->canWrite) return kernel::failWith(ERROR_ACCESS_DENIED);
    if (nNumberOfBytesToWrite && !lpBuffer) return kernel::failWith(ERROR_NOACCESS);
    COUNTED_FILE_OPERATION;
    if (failsOnPurpose()) return FALSE;
    size_t done = 0;
    bool ok = writeThroughBuffers(*file, static_cast<const char*>(lpBuffer), nNumberOfBytesToWrite, done);
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = static_cast<DWORD>(done);
    return ok ? TRUE : FALSE;
}

BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
    OpenFile* file = openFileOf(hFile);
    if (!file) return kernel::failWith(ERROR_INVALID_HANDLE);
    if (!file->canWrite) return kernel::failWith(ERROR_ACCESS_DENIED);
    COUNTED_FILE_OPERATION;
    if (failsOnPurpose()) return FALSE;
    file->writes.interrupt();
    settleWritesTo(file);
    // Reported once, as fsync reports a lost write once: the caller now knows.
    if (DWORD error = file->writes.failure(); error != ERROR_SUCCESS) {
        file->writes.clearFailure();
        return kernel::failWith(error);
    }
    return fsync(file->fd) == 0 ? TRUE : kernel::failFromErrno(ERROR_WRITE_FAULT);
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
    OpenFile* file = openFileOf(hFile);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_SET_FILE_POINTER;
    }
    // Without the high half the distance is a signed 32-bit value; with it, the two
    // halves form one signed 64-bit distance.
    int64_t distance =
        lpDistanceToMoveHigh
            ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*lpDistanceToMoveHigh)) << 32) |
                                   static_cast<uint32_t>(lDistanceToMove))
            : lDistanceToMove;
    int64_t origin = 0;
    if (dwMoveMethod == FILE_CURRENT) {
        origin = file->position;
    } else if (dwMoveMethod == FILE_END) {
        settleWritesTo(file);
        struct stat info;
        origin = fstat(file->fd, &info) == 0 ? info.st_size : -1;
    } else if (dwMoveMethod != FILE_BEGIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    int64_t target = 0;
    if (origin < 0 || __builtin_add_overflow(origin, distance, &target)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (target < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    // A caller that gave no high half cannot receive a position beyond 32 bits.
    if (!lpDistanceToMoveHigh && target >= static_cast<int64_t>(INVALID_SET_FILE_POINTER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    file->position = target;
    if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(target >> 32);
    SetLastError(NO_ERROR);  // callers tell a low half of 0xFFFFFFFF from a failure by this
    return static_cast<DWORD>(target);
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    OpenFile* file = openFileOf(hFile);
    if (file) settleWritesTo(file);
    struct stat info;
    if (!file || fstat(file->fd, &info) != 0) {
        SetLastError(file ? kernel::errorFromErrno(errno, ERROR_READ_FAULT) : ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    uint64_t size = static_cast<uint64_t>(info.st_size);
    if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(NO_ERROR);
    return static_cast<DWORD>(size);
}

BOOL WINAPI SetEndOfFile(HANDLE hFile) {
    OpenFile* file = openFileOf(hFile);
    if (!file) return kernel::failWith(ERROR_INVALID_HANDLE);
    if (!file->canWrite) return kernel::failWith(ERROR_ACCESS_DENIED);
    file->writes.interrupt();
    if (DWORD error = settleWritesTo(file); error != ERROR_SUCCESS) return kernel::failWith(error);
    file->reads.forget();
    if (ftruncate(file->fd, static_cast<off_t>(file->position)) != 0) return kernel::failFromErrno();
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    OpenFile* file = nullptr;
    {
        std::lock_guard<std::mutex> guard(openFilesMutex);
        auto found = openFiles.find(static_cast<OpenFile*>(hObject));
        if (found == openFiles.end()) return kernel::failWith(ERROR_INVALID_HANDLE);
        file = *found;
        openFiles.erase(found);
    }
    int fd = file->fd;
    // A failure no flush has reported: the caller learns here that writes never arrived.
    file->writes.drain(fd);
    DWORD lost = file->writes.failure();
    delete file;
    if (close(fd) != 0 && errno != EINTR) return kernel::failFromErrno();
    return lost == ERROR_SUCCESS ? TRUE : kernel::failWith(lost);
}

// As on Win32, the destination is written in place: a failure part way leaves it half
// written, and nothing is flushed. Callers that must never see that copy to a file of
// their own and rename it. Each block written counts as an operation for fault injection.
BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    if (!lpExistingFileName || !lpNewFileName) return kernel::failWith(ERROR_PATH_NOT_FOUND);
    COUNTED_FILE_OPERATION;
    if (failsOnPurpose()) return FALSE;
    settleWritesTo(nullptr);  // the copy reads the file by its name
    int source = open(lpExistingFileName, O_RDONLY | O_CLOEXEC);
    if (source < 0) return kernel::failFromErrno(ERROR_READ_FAULT);
    struct stat sourceInfo;
    if (fstat(source, &sourceInfo) != 0 || S_ISDIR(sourceInfo.st_mode)) {
        close(source);
        return kernel::failWith(ERROR_ACCESS_DENIED);
    }
    // A new destination gets the source's permissions; an existing one keeps its own.
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (bFailIfExists ? O_EXCL : 0);
    int target = open(lpNewFileName, flags, sourceInfo.st_mode & 0777);
    if (target < 0) {
        DWORD error = kernel::errorFromErrno(errno);
        close(source);
        return kernel::failWith(error);
    }
    DWORD error = ERROR_SUCCESS;
    struct stat targetInfo;
    // A file copied onto itself (through another name) would be emptied: Win32 refuses it.
    bool sameFile = fstat(target, &targetInfo) == 0 && targetInfo.st_dev == sourceInfo.st_dev &&
                    targetInfo.st_ino == sourceInfo.st_ino;
    if (sameFile || lockWholeFile(target, true) == LockResult::conflict)
        error = ERROR_SHARING_VIOLATION;
    else if (ftruncate(target, 0) != 0)
        error = kernel::errorFromErrno(errno);
    char buffer[1 << 16];
    while (error == ERROR_SUCCESS) {
        size_t got = 0, put = 0;
        if (!kernel::readAll(source, buffer, sizeof buffer, got)) {
            error = kernel::errorFromErrno(errno, ERROR_READ_FAULT);
            break;
        }
        if (got == 0) break;
        if (failsOnPurpose()) {
            error = GetLastError();
            break;
        }
        if (!kernel::writeAll(target, buffer, got, put)) error = kernel::errorFromErrno(errno, ERROR_WRITE_FAULT);
    }
    close(source);
    if (close(target) != 0 && error == ERROR_SUCCESS && errno != EINTR) error = kernel::errorFromErrno(errno);
    return error == ERROR_SUCCESS ? TRUE : kernel::failWith(error);
}

// Win32 renames an open file only when every open of it granted FILE_SHARE_DELETE, and
// never replaces a file that is open.
BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    if (!lpExistingFileName || !lpNewFileName) return kernel::failWith(ERROR_PATH_NOT_FOUND);
    COUNTED_FILE_OPERATION;
    if (failsOnPurpose()) return FALSE;
    bool sourceHeldHere = false, destinationHeldHere = false;
    OwnOpens sourceOpens = ownOpensOf(lpExistingFileName, sourceHeldHere);
    if (sourceOpens == OwnOpens::someWithout) return kernel::failWith(ERROR_SHARING_VIOLATION);
    if (ownOpensOf(lpNewFileName, destinationHeldHere) != OwnOpens::none) return kernel::failWith(ERROR_ACCESS_DENIED);
    // A lock this process holds through a handle that allows the rename is no other writer.
    std::optional<WriterExclusion> sourceGuard;
    if (!sourceHeldHere) sourceGuard.emplace(lpExistingFileName);
    WriterExclusion destinationGuard(lpNewFileName);
    if ((sourceGuard && sourceGuard->heldByWriter()) || destinationGuard.heldByWriter())
        return kernel::failWith(ERROR_SHARING_VIOLATION);
    if (!pathExists(lpExistingFileName)) return kernel::failFromErrno();
    if (!(dwFlags & MOVEFILE_REPLACE_EXISTING) && pathExists(lpNewFileName))
        return kernel::failWith(ERROR_ALREADY_EXISTS);
    if (rename(lpExistingFileName, lpNewFileName) != 0) return kernel::failFromErrno();
    // The guard's descriptor may be the last reference to the file just replaced; closing it
    // frees all that file's blocks, which takes a while for a large file and concerns
    // nobody waiting for the move, so it happens beside the caller.
    if (int replaced = destinationGuard.release(); replaced >= 0) std::thread([replaced] { close(replaced); }).detach();
    if (dwFlags & MOVEFILE_WRITE_THROUGH) {
        std::string from = directoryOf(lpExistingFileName), to = directoryOf(lpNewFileName);
        syncDirectory(to);
        if (from != to) syncDirectory(from);
    }
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    if (!lpFileName || !*lpFileName) return kernel::failWith(ERROR_PATH_NOT_FOUND);
    COUNTED_FILE_OPERATION;
    if (failsOnPurpose()) return FALSE;
    bool heldHere = false;
    OwnOpens opens = ownOpensOf(lpFileName, heldHere);
    if (opens == OwnOpens::someWithout) return kernel::failWith(ERROR_SHARING_VIOLATION);
    if (!heldHere) {
        WriterExclusion guard(lpFileName);
        if (guard.heldByWriter()) return kernel::failWith(ERROR_SHARING_VIOLATION);
    }
    struct stat info;
    if (lstat(lpFileName, &info) == 0 && S_ISDIR(info.st_mode)) return kernel::failWith(ERROR_ACCESS_DENIED);
    return unlink(lpFileName) == 0 ? TRUE : kernel::failFromErrno();
}

// A symbolic link is reported as the link itself, a reparse point, as Win32 does.
DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    struct stat info;
    if (!lpFileName || lstat(lpFileName, &info) != 0) {
        SetLastError(lpFileName ? kernel::errorFromErrno(errno, ERROR_READ_FAULT) : ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISLNK(info.st_mode)) return FILE_ATTRIBUTE_REPARSE_POINT;
    if (S_ISDIR(info.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    return (info.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

namespace {

// The system names a file that no name leads to any more after the name it had, with
// " (deleted)" added; a file renamed over since it was opened may share its path with
// another. Only a name that leads to the open file itself is its path.
bool namesOpenFile(const std::string& path, const OpenFile& file) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && info.st_dev == file.device && info.st_ino == file.inode;
}

FILETIME fileTimeOf(const struct timespec& time) {
    constexpr int64_t secondsFrom1601To1970 = 11644473600;
    uint64_t ticks = uint64_t(time.tv_sec + secondsFrom1601To1970) * 10000000u + uint64_t(time.tv_nsec) / 100u;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

// Returns the length without the terminator, or the size needed with it when the buffer
// is too small. A file that no name leads to has no path: ERROR_FILE_NOT_FOUND.
DWORD WINAPI GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath, DWORD dwFlags) {
    OpenFile* file = openFileOf(hFile);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    std::string link = "/proc/self/fd/" + std::to_string(file->fd);
    std::string path(4096, '\0');
    ssize_t length = readlink(link.c_str(), path.data(), path.size());
    if (length <= 0 || size_t(length) >= path.size()) {
        kernel::failFromErrno(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    path.resize(size_t(length));
    if (!namesOpenFile(path, *file)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    if (!lpszFilePath || cchFilePath <= path.size()) return static_cast<DWORD>(path.size() + 1);
    std::memcpy(lpszFilePath, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

// The device and inode stand for the volume serial number and the file index, which
// together tell one file from every other while it is open, as on Win32.
BOOL WINAPI GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
    OpenFile* file = openFileOf(hFile);
    if (!file) return kernel::failWith(ERROR_INVALID_HANDLE);
    if (!lpFileInformation) return kernel::failWith(ERROR_NOACCESS);
    settleWritesTo(file);  // its length and write time are those of every byte written
    struct stat info;
    if (fstat(file->fd, &info) != 0) return kernel::failFromErrno(ERROR_READ_FAULT);
    BY_HANDLE_FILE_INFORMATION& out = *lpFileInformation;
    out = {};
    out.dwFileAttributes = S_ISDIR(info.st_mode)      ? FILE_ATTRIBUTE_DIRECTORY
                           : (info.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL
                                                      : FILE_ATTRIBUTE_READONLY;
    out.ftCreationTime = fileTimeOf(info.st_ctim);
    out.ftLastAccessTime = fileTimeOf(info.st_atim);
    out.ftLastWriteTime = fileTimeOf(info.st_mtim);
    uint64_t device = info.st_dev, index = info.st_ino, size = uint64_t(info.st_size);
    out.dwVolumeSerialNumber = static_cast<DWORD>(device ^ (device >> 32));
    out.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    out.nFileSizeLow = static_cast<DWORD>(size);
    out.nNumberOfLinks = static_cast<DWORD>(info.st_nlink);
    out.nFileIndexHigh = static_cast<DWORD>(index >> 32);
    out.nFileIndexLow = static_cast<DWORD>(index);
    return TRUE;
}

// A block device counts as unknown: no Win32 name leads to a raw device the way a link
// does here, and a program that asks wants to know it has a file.
DWORD WINAPI GetFileType(HANDLE hFile) {
    OpenFile* file = openFileOf(hFile);
    struct stat info;
    if (!file || fstat(file->fd, &info) != 0) {
        SetLastError(file ? kernel::errorFromErrno(errno, ERROR_READ_FAULT) : ERROR_INVALID_HANDLE);
        return FILE_TYPE_UNKNOWN;
    }
    SetLastError(NO_ERROR);
    if (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) return FILE_TYPE_DISK;
    if (S_ISCHR(info.st_mode)) return FILE_TYPE_CHAR;
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) return FILE_TYPE_PIPE;
    return FILE_TYPE_UNKNOWN;
}

// ---- fault injection: test builds make chosen file operations fail on purpose
#ifdef EDITOR_FAULT_INJECTION

namespace kernel {
namespace {
int failingOperation = 0;  // 0 = none armed
DWORD injectedError = ERROR_SUCCESS;
bool keepFailing = false;
int operationsCounted = 0;
void (*operationObserver)(int) = nullptr;
}  // namespace

void failNthFileOperation(int n, DWORD error, bool sticky) {
    failingOperation = n > 0 ? n : 0;
    injectedError = error;
    keepFailing = sticky;
    operationsCounted = 0;
}

void clearFileFaults() { failNthFileOperation(0, ERROR_SUCCESS); }

int countedFileOperations() { return operationsCounted; }

void observeFileOperations(void (*observer)(int n)) { operationObserver = observer; }

void fileOperationEnded() {
    if (operationObserver) operationObserver(operationsCounted);
}

DWORD nextFileOperationFault() {
    ++operationsCounted;
    if (failingOperation == 0) return ERROR_SUCCESS;
    if (operationsCounted == failingOperation || (keepFailing && operationsCounted > failingOperation))
        return injectedError;
    return ERROR_SUCCESS;
}

}  // namespace kernel

#endif
