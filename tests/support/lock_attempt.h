// What another program finds when it tries, without waiting, to take a file for writing
// the way the dictionary tool does: an OFD write lock on the whole file, and flock(). Any
// open file description is another program to these locks, so the attempt may be made
// from the test's own process; whatever it takes it gives back at once.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

namespace testfs {

struct LockAttempt {
    bool ofdLockTaken = false;
    bool flockTaken = false;
};

inline LockAttempt tryLockingForWriting(const std::string& path) {
    LockAttempt attempt;
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return attempt;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;  // l_start 0, l_len 0: the whole file
    attempt.ofdLockTaken = fcntl(fd, F_OFD_SETLK, &lock) == 0;
    attempt.flockTaken = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return attempt;
}

}  // namespace testfs
