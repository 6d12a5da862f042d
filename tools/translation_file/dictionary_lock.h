// Writing a dictionary that an editor may have open.
//
// The editor holds its dictionary, for as long as it runs, under an open file description
// lock (F_OFD_SETLK, F_WRLCK over the whole file) and a flock(LOCK_EX) on the same open
// file. The tool takes both, without waiting, before it reads anything, and refuses when
// either is held elsewhere; while the tool holds them, an editor starting on the
// dictionary cannot open it.
//
// The new bytes go into a temporary file beside the dictionary, which is locked in the
// same way before its first byte is written, and which is renamed over the dictionary
// only when it is complete and on the medium. The old file stays locked across the
// rename, so the name never stands for an unlocked file while the tool runs, and a
// crash or a full disk leaves the old dictionary whole. Writing in place under the lock
// would keep the file itself, but a crash halfway would leave half a dictionary.
// What the rename costs: the file at the name is a new one (hard links to the old one
// keep the old bytes; a symbolic link is followed, not replaced), and an opener that got
// the old file just before the rename, but its lock only after the tool ended, holds a
// file without a name; an opener guards against that by checking, once locked, that the
// file it holds still has a link.
#pragma once

#include <string>

namespace dictionary_text {

class DictionaryLock {
public:
    DictionaryLock() = default;
    ~DictionaryLock();
    DictionaryLock(const DictionaryLock&) = delete;
    DictionaryLock& operator=(const DictionaryLock&) = delete;

    // Locks the dictionary at `path` if there is one (a missing one is created by
    // replace()). False, with the reason, when it is held elsewhere or cannot be opened
    // for writing.
    bool lock(const std::string& path, std::string& why);
    // Replaces the locked dictionary by `bytes`, whole or not at all; its permissions
    // stay. Nothing is left behind when it fails.
    bool replace(const std::string& bytes, std::string& why);

private:
    std::string path_;  // the file itself, symbolic links followed
    int dictionary_ = -1;
    int replacement_ = -1;
};

}  // namespace dictionary_text
