// The runtime's dialog procedure, the event numbers a dialog's handler sees, and dispatching.
#pragma once

#include "forms/event_context.h"
#include "runtime/dialog_object.h"

#include <windows.h>

#include <cstdint>

constexpr int32_t initialisationMessage = WM_INITDIALOG;
constexpr int32_t closeMessage = 32770;
constexpr int32_t menuCommandMessage = 32771;
constexpr int32_t commandMessage = 32772;
constexpr int32_t sizeMessage = 32777;

// The window runtime's commands that arrange a frame window's child windows.
constexpr int32_t cascadeWindowsCommand = 32773;
constexpr int32_t tileWindowsCommand = 32774;
constexpr int32_t arrangeIconsCommand = 32775;

INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT dispatchEvent(DialogObject& dialog, UINT message, WPARAM wParam, LPARAM lParam);
int32_t initChildren(DialogObject& dialog);
