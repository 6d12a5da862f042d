// A handle's read-ahead and write-behind buffers, so that a run of record transfers costs
// one system call a buffer instead of one a record. The rules that keep them coherent with
// the file are kept by the callers in files.cpp; this file only moves bytes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kernel {

// Large enough that a system call's own cost vanishes beside the copying, small enough to
// stay in the processor's second-level cache: reading a page-cached file in blocks of
// 128 KiB to 512 KiB costs least processor time, 4 KiB or 4 MiB up to half again more.
// The smallest of those, as a pass holds two at once (the dictionary's and the work
// file's) and the editor's memory is otherwise about 9 MB.
constexpr size_t fileBufferSize = 128 * 1024;

// Transfers at `offset` (and advances it by what was moved) when one is given, else at
// the descriptor's own position; short transfers go on until done or the end of the file.
bool readAll(int fd, char* buffer, size_t size, size_t& done, int64_t* offset = nullptr);
bool writeAll(int fd, const char* buffer, size_t size, size_t& done, int64_t* offset = nullptr);

// Bytes of the file from where a sequential run of reads has got to. A read that continues
// where the last one ended fills the buffer from there; any other read goes to the file
// alone, so that a single record costs what it always did.
class ReadAhead {
public:
    // Like readAll at `offset`; false with errno set when the file could not be read.
    bool read(int fd, int64_t offset, char* out, size_t size, size_t& done);
    // Bytes at [offset, offset + size) changed under the buffer.
    void forgetOverlap(int64_t offset, size_t size);
    void forget() { held_ = 0; }

private:
    std::unique_ptr<char[]> bytes_;
    int64_t start_ = 0;
    size_t held_ = 0;
    int64_t lastEnd_ = -1;  // where the last read ended; -1 before any
};

// Writes that continue one another directly, kept until the buffer is full or something
// else happens to the file. A write that starts a run goes to the file at once, so that a
// lone write reports its own failure.
class WriteBehind {
public:
    WriteBehind() = default;
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;
    ~WriteBehind();

    // Keeps the bytes when they continue the run; false when the caller must write them
    // itself (after drain()). A buffer that fills is written out; its failure is kept.
    bool take(int fd, int64_t offset, const char* data, size_t size);
    // The caller wrote [offset, end) itself: a write at `end` continues the run.
    void wroteThrough(int64_t end) { runEnd_ = end; }
    // Something other than a write happened to the handle: the run is over.
    void interrupt() { runEnd_ = -1; }
    // Writes what is kept and frees the buffer; false when the file refused it.
    bool drain(int fd);
    bool pending() const { return held_ > 0; }
    // The Win32 error of the first write out that failed (ERROR_SUCCESS for none); it
    // stays until clearFailure(), so that a write kept earlier is never reported as done.
    DWORD failure() const { return failure_; }
    void clearFailure() { failure_ = ERROR_SUCCESS; }

private:
    bool writeOut(int fd);

    std::unique_ptr<char[]> bytes_;
    int64_t start_ = 0;
    size_t held_ = 0;
    int64_t runEnd_ = -1;
    DWORD failure_ = ERROR_SUCCESS;
};

// True while some handle of this process keeps written bytes (a cheap test before looking
// for the handles that do).
bool someWritesPending();

}  // namespace kernel
