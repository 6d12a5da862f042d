// Dialog descriptions: the dialog class, createDialog, the pixel-to-dialog-unit rule and
// the registry that releases every description at exit.
#pragma once

#include "runtime/dialog_object.h"

#include <cstdint>

// The window class of every dialog the runtime shows.
constexpr char dialogClassName[] = "MarlowDlgClass";

int32_t createDialog(DialogObject& dialog, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t style,
                     const DialogObject* parent, const char* title, DialogHandler handler);
int32_t freeDialogs();

struct DialogUnits {
    int32_t x, y, width, height;
};
DialogUnits toDialogUnits(int32_t x, int32_t y, int32_t width, int32_t height, int32_t baseUnitX, int32_t baseUnitY);

// Registers MarlowDlgClass once; its atom is kept in the forms state.
void registerDialogClass();
