// The message pump, centred message boxes and window centring.
#pragma once

#include "runtime/dialog_object.h"

#include <windows.h>

#include <cstdint>

void processMessages(int32_t noWait);
int32_t messageBox(const DialogObject* owner, const char* text, const char* caption, uint32_t flags);
LRESULT CALLBACK centringHook(int code, WPARAM wParam, LPARAM lParam);
void centreWindow(const DialogObject& dialog);
