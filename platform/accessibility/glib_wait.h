// GLib's default main context, served from the display's wait: the accessibility bridge
// talks to the bus through it. Its descriptors join the display's poll(), its timeouts
// shorten it, and what is ready is dispatched there, so the bus is answered while the
// program waits for input and nothing spins while both are idle.
#pragma once

#include "display/wait_source.h"

#include <glib.h>

#include <vector>

namespace accessibility {

class GlibWaitSource : public display::WaitSource {
public:
    GlibWaitSource();
    ~GlibWaitSource() override;
    GlibWaitSource(const GlibWaitSource&) = delete;
    GlibWaitSource& operator=(const GlibWaitSource&) = delete;

    void prepare(std::vector<pollfd>& fds, int& timeout) override;
    bool dispatch(const std::vector<pollfd>& fds, std::size_t first) override;

private:
    GMainContext* context_;
    std::vector<GPollFD> polled_;
    gint priority_ = 0;
    bool owned_ = false;
};

}  // namespace accessibility
