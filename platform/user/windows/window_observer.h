// Who else hears what happens to windows: the accessibility bus, which describes the
// windows to screen readers. The window layer only tells; it knows nothing of the bus.
#pragma once

#include <windows.h>

namespace user {

enum class WindowChange {
    Created,
    Destroyed,
    Shown,
    Hidden,
    TextChanged,       // WM_SETTEXT's default handling, an edit's every change included
    TextReplaced,      // an edit's whole text set anew (WM_SETTEXT), before its TextChanged
    SelectionChanged,  // an edit's caret or selection
    FocusChanged,      // the window is the new focus (null: nobody has it)
    ActiveChanged,     // the window is the new active window (null: none)
    EnabledChanged,
};

class WindowObserver {
public:
    virtual ~WindowObserver() = default;
    // Called in the middle of the layer's work, with the window's state already changed:
    // note what changed and look at it later, never call back into windows from here.
    virtual void windowChanged(HWND window, WindowChange change) = 0;
};

void setWindowObserver(WindowObserver* observer);  // null: nobody listens
void tellWindowObserver(HWND window, WindowChange change);

}  // namespace user
