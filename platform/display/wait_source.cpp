#include "display/wait_source.h"

namespace display {

namespace {
WaitSource* current = nullptr;
}

void setWaitSource(WaitSource* source) { current = source; }

WaitSource* waitSource() { return current; }

bool waitServingSource(std::vector<pollfd>& fds) {
    std::size_t own = fds.size();
    int timeout = -1;
    if (current) current->prepare(fds, timeout);
    int ready = poll(fds.data(), fds.size(), timeout);
    if (ready < 0)
        for (pollfd& fd : fds) fd.revents = 0;  // interrupted: nothing is known to be ready
    bool worked = current && current->dispatch(fds, own);
    fds.resize(own);
    return worked;
}

}  // namespace display
