// Another source of work that a display's blocking wait serves beside its own input: the
// accessibility bus, whose messages must be answered while the program waits for the user.
// The display adds the source's descriptors to the one poll() it blocks in, so neither
// waits for the other and nothing spins.
#pragma once

#include <poll.h>

#include <cstddef>

#include <vector>

namespace display {

class WaitSource {
public:
    virtual ~WaitSource() = default;
    // Before blocking: appends the descriptors to watch and lowers `timeout` (milliseconds,
    // -1 for none) to when the source next has work of its own.
    virtual void prepare(std::vector<pollfd>& fds, int& timeout) = 0;
    // After poll() returned: `fds` from index `first` are the ones prepare appended, with
    // their revents. True when the source did work, which may have posted messages.
    virtual bool dispatch(const std::vector<pollfd>& fds, std::size_t first) = 0;
};

void setWaitSource(WaitSource* source);  // null: none
WaitSource* waitSource();

// Blocks until one of the descriptors in `fds` is ready or the wait source has work,
// serving the source; `fds` keeps the caller's descriptors first, with their revents set.
// True when the wait source did work.
bool waitServingSource(std::vector<pollfd>& fds);

}  // namespace display
