#include "user/windows/window_observer.h"

namespace user {

namespace {
WindowObserver* listener = nullptr;
}

void setWindowObserver(WindowObserver* observer) { listener = observer; }

void tellWindowObserver(HWND window, WindowChange change) {
    if (listener) listener->windowChanged(window, change);
}

}  // namespace user
