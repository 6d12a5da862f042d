#include "accessibility/glib_wait.h"

namespace accessibility {

GlibWaitSource::GlibWaitSource() : context_(g_main_context_default()) {
    // The one thread that runs the program owns the context for good: nobody else iterates it.
    owned_ = g_main_context_acquire(context_) != FALSE;
}

GlibWaitSource::~GlibWaitSource() {
    if (owned_) g_main_context_release(context_);
}

void GlibWaitSource::prepare(std::vector<pollfd>& fds, int& timeout) {
    if (!owned_) return;
    // A source already ready needs no wait at all.
    if (g_main_context_prepare(context_, &priority_)) timeout = 0;
    gint glibTimeout = -1;
    if (polled_.empty()) polled_.resize(8);
    for (;;) {
        gint needed =
            g_main_context_query(context_, priority_, &glibTimeout, polled_.data(), static_cast<gint>(polled_.size()));
        if (needed <= static_cast<gint>(polled_.size())) {
            polled_.resize(static_cast<size_t>(needed));
            break;
        }
        polled_.resize(static_cast<size_t>(needed));
    }
    for (const GPollFD& fd : polled_) fds.push_back(pollfd{fd.fd, static_cast<short>(fd.events), 0});
    if (glibTimeout >= 0 && (timeout < 0 || glibTimeout < timeout)) timeout = glibTimeout;
}

bool GlibWaitSource::dispatch(const std::vector<pollfd>& fds, std::size_t first) {
    if (!owned_) return false;
    for (size_t i = 0; i < polled_.size() && first + i < fds.size(); ++i)
        polled_[i].revents = static_cast<gushort>(fds[first + i].revents);
    bool ready = g_main_context_check(context_, priority_, polled_.data(), static_cast<gint>(polled_.size())) != FALSE;
    if (ready) g_main_context_dispatch(context_);
    return ready;
}

}  // namespace accessibility
