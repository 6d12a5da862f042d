#include "kernel/file_buffers.h"

#include "kernel/last_error.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace kernel {

namespace {
std::atomic<int> handlesKeepingWrites{0};

// Not zeroed, so that only the part a short file fills becomes resident.
std::unique_ptr<char[]> bufferOfFullSize() { return std::unique_ptr<char[]>(new char[fileBufferSize]); }
}  // namespace

bool someWritesPending() { return handlesKeepingWrites.load(std::memory_order_relaxed) > 0; }

bool readAll(int fd, char* buffer, size_t size, size_t& done, int64_t* offset) {
    done = 0;
    bool ok = true;
    while (done < size) {
        ssize_t n = offset ? pread(fd, buffer + done, size - done, static_cast<off_t>(*offset) + done)
                           : read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    if (offset) *offset += static_cast<int64_t>(done);
    return ok;
}

bool writeAll(int fd, const char* buffer, size_t size, size_t& done, int64_t* offset) {
    done = 0;
    bool ok = true;
    while (done < size) {
        ssize_t n = offset ? pwrite(fd, buffer + done, size - done, static_cast<off_t>(*offset) + done)
                           : write(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (offset) *offset += static_cast<int64_t>(done);
    return ok;
}

bool ReadAhead::read(int fd, int64_t offset, char* out, size_t size, size_t& done) {
    bool held = held_ > 0 && offset >= start_ && offset - start_ <= static_cast<int64_t>(held_) &&
                size <= held_ - static_cast<size_t>(offset - start_);
    bool continues = offset == lastEnd_ && size < fileBufferSize;
    if (!held && continues) {
        if (!bytes_) bytes_ = bufferOfFullSize();
        held_ = 0;
        int64_t at = offset;
        if (!readAll(fd, bytes_.get(), fileBufferSize, held_, &at)) {
            held_ = 0;
            done = 0;
            return false;
        }
        start_ = offset;
        held = true;  // as far as the file goes: a short read is the file's end
    }
    if (held) {
        size_t from = static_cast<size_t>(offset - start_);
        done = std::min(size, held_ - from);
        std::memcpy(out, bytes_.get() + from, done);
        lastEnd_ = offset + static_cast<int64_t>(done);
        return true;
    }
    int64_t at = offset;
    bool ok = readAll(fd, out, size, done, &at);
    lastEnd_ = at;
    return ok;
}

void ReadAhead::forgetOverlap(int64_t offset, size_t size) {
    if (held_ > 0 && offset < start_ + static_cast<int64_t>(held_) && start_ < offset + static_cast<int64_t>(size))
        held_ = 0;
}

WriteBehind::~WriteBehind() {
    if (held_ > 0) handlesKeepingWrites.fetch_sub(1, std::memory_order_relaxed);
}

bool WriteBehind::take(int fd, int64_t offset, const char* data, size_t size) {
    int64_t end = start_ + static_cast<int64_t>(held_);
    bool continues = held_ > 0 ? offset == end : offset == runEnd_;
    if (!continues || size == 0 || size >= fileBufferSize) return false;
    if (held_ + size > fileBufferSize && !writeOut(fd)) return false;
    if (!bytes_) bytes_ = bufferOfFullSize();
    if (held_ == 0) {
        start_ = offset;
        handlesKeepingWrites.fetch_add(1, std::memory_order_relaxed);
    }
    std::memcpy(bytes_.get() + held_, data, size);
    held_ += size;
    runEnd_ = offset + static_cast<int64_t>(size);
    return true;
}

bool WriteBehind::writeOut(int fd) {
    if (held_ == 0) return true;
    size_t done = 0;
    int64_t at = start_;
    bool ok = writeAll(fd, bytes_.get(), held_, done, &at);
    if (!ok && failure_ == ERROR_SUCCESS) failure_ = errorFromErrno(errno, ERROR_WRITE_FAULT);
    held_ = 0;
    handlesKeepingWrites.fetch_sub(1, std::memory_order_relaxed);
    return ok;
}

bool WriteBehind::drain(int fd) {
    bool ok = writeOut(fd);
    bytes_.reset();
    return ok;
}

}  // namespace kernel
