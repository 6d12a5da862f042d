// The EventContext: the values a dialog's handler reads about the event it is called for.
#pragma once

#include "runtime/dialog_object.h"

#include <windows.h>

#include <cstdint>

struct EventContext {
    int32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    DialogObject* window = nullptr;
    int32_t controlId = 0;
    int32_t menuId = 0;
    int32_t notifyCode = 0;
};
