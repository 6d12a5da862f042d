// Showing a described dialog modally from a fresh template, and ending it.
#pragma once

#include "runtime/dialog_object.h"

#include <windows.h>

#include <cstdint>

INT_PTR showModal(DialogObject& dialog, const DialogObject* parent);
int32_t closeDialog(DialogObject& dialog, INT_PTR result);
