#include "kernel/stop_signals.h"

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include <fcntl.h>
#include <unistd.h>

namespace kernel {

namespace {

volatile sig_atomic_t requested = 0;
// The self-pipe: the handler writes a byte, so that a wait in poll() wakes even when the
// signal came just before it started.
int wakeRead = -1;
int wakeWrite = -1;

void onStopSignal(int) {
    int saved = errno;
    requested = 1;
    char byte = 1;
    ssize_t ignored = write(wakeWrite, &byte, 1);  // a full pipe already wakes the wait
    (void)ignored;
    errno = saved;
}

}  // namespace

void catchStopSignals() {
    if (wakeRead >= 0) return;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default action
    wakeRead = ends[0];
    wakeWrite = ends[1];
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // reads and writes of the files go on undisturbed
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}

bool stopRequested() { return requested != 0; }

int stopWakeDescriptor() { return wakeRead; }

void clearStopWake() {
    char bytes[64];
    while (wakeRead >= 0 && read(wakeRead, bytes, sizeof bytes) > 0) {
    }
}

}  // namespace kernel
