// The application-held object of a dialog. The form runtime gives it a description and
// shows it; the runtime services read only its window handle (message-box owner,
// centring, control texts). The window runtime's own fields are left out: no dialog
// reads them.
#pragma once

#include <windows.h>

#include <cstdint>

struct DialogHeader;

// An event routine: no arguments, reads the published EventContext, returns a result.
using DialogHandler = int32_t (*)();

struct DialogObject {
    HWND window = nullptr;        // while on screen; null otherwise
    HWND clientWindow = nullptr;  // a frame window's client area; always null for a dialog
    HCURSOR cursor = nullptr;     // shown over the dialog's own client area
    int32_t isDialog = 0;         // 1 once createDialog has described it
    DialogHeader* header = nullptr;
    DialogHandler handler = nullptr;
};
