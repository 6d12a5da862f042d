// The signals with which a desktop session, a terminal or a person asks a program to end
// (SIGTERM at log-out, SIGHUP when the terminal goes, SIGINT for Ctrl+C). Their default
// action kills the process wherever it stands; caught here, they only leave a request that
// the message loop turns into a close of the program's windows, so that the program ends
// by its own path, with its files closed and nothing half-written.
#pragma once

namespace kernel {

// Catches the three signals from now on. Done once; later calls change nothing.
void catchStopSignals();

// Whether one of them has come since the program started.
bool stopRequested();

// A descriptor that becomes readable when one of them comes, for the display's wait to
// watch beside its own; -1 until the signals are caught. Read empty with clearStopWake().
int stopWakeDescriptor();
void clearStopWake();

}  // namespace kernel
