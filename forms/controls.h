// addControl: a control added to a dialog's description, or created at once in a dialog
// on screen.
#pragma once

#include "forms/dialog_description.h"
#include "runtime/dialog_object.h"

#include <windows.h>

#include <cstdint>

int32_t addControl(DialogObject& dialog, int32_t kind, const char* text, int32_t x, int32_t y, int32_t width,
                   int32_t height, uint32_t style, int32_t id);
// Fits a frame window's client-area window between its tool bars and status bar;
// 1 when one of them was found.
int32_t layoutClientArea(HWND frame, HWND clientArea);
