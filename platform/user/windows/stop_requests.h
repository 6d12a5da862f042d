// A stop signal (see kernel/stop_signals.h) ends the program the way a person would at the
// screen: the box that is up is closed as its close box closes it, then the window under
// it, until the program has ended by its own path.
#pragma once

namespace user {

// Called where the message loop is about to wait. When a stop is pending and the window a
// person would close next has not had its WM_CLOSE yet, posts it and returns true (the
// loop then has a message instead of waiting).
bool closeForStopRequest();

}  // namespace user
