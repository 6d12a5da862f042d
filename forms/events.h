// The EventContext: the values a dialog's handler reads about the event it is called for.
#pragma once

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

INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT dispatchEvent(DialogObject& dialog, UINT message, WPARAM wParam, LPARAM lParam);
int32_t initChildren(DialogObject& dialog);
