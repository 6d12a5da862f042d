#include "dictionary_lock.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dictionary_text {

namespace {

const char kHeldElsewhere[] = "it is open for writing elsewhere (in an editor?); close it there and try again";

// Both locks the editor takes, on this open file; errno says why when they cannot be had.
bool lockForWriting(int fd) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 0;  // to the end, however far the file grows
    if (fcntl(fd, F_OFD_SETLK, &whole) != 0) return false;
    return flock(fd, LOCK_EX | LOCK_NB) == 0;
}

bool heldElsewhere(int error) { return error == EAGAIN || error == EACCES || error == EWOULDBLOCK; }

bool writeAll(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

std::string directoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

DictionaryLock::~DictionaryLock() {
    if (replacement_ >= 0) close(replacement_);
    if (dictionary_ >= 0) close(dictionary_);
}

bool DictionaryLock::lock(const std::string& path, std::string& why) {
    char resolved[PATH_MAX];
    path_ = realpath(path.c_str(), resolved) ? resolved : path;
    dictionary_ = open(path_.c_str(), O_RDWR | O_CLOEXEC);
    if (dictionary_ < 0) {
        if (errno == ENOENT) return true;
        why = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (fstat(dictionary_, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = "it is not an ordinary file";
        return false;
    }
    if (!lockForWriting(dictionary_)) {
        why = heldElsewhere(errno) ? kHeldElsewhere : std::strerror(errno);
        return false;
    }
    return true;
}

bool DictionaryLock::replace(const std::string& bytes, std::string& why) {
    std::string temporary = path_ + ".XXXXXX";
    replacement_ = mkstemp(temporary.data());
    if (replacement_ < 0) {
        why = std::strerror(errno);
        return false;
    }
    fcntl(replacement_, F_SETFD, FD_CLOEXEC);
    // mkstemp makes the file private; the new dictionary keeps the old one's permissions,
    // and a new one gets those of any ordinary file.
    struct stat old {};
    mode_t mode = 0;
    if (dictionary_ >= 0 && fstat(dictionary_, &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = lockForWriting(replacement_) && writeAll(replacement_, bytes) && fchmod(replacement_, mode) == 0 &&
              fsync(replacement_) == 0 && std::rename(temporary.c_str(), path_.c_str()) == 0;
    if (!ok) {
        why = std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    int directory = open(directoryOf(path_).c_str(), O_RDONLY | O_CLOEXEC);
    if (directory >= 0) {
        fsync(directory);
        close(directory);
    }
    return true;
}

}  // namespace dictionary_text
