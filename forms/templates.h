// The dialog template a described dialog is shown from: measured, then written into a
// block of that size.
#pragma once

#include "forms/dialog_description.h"

#include <cstdint>

uint32_t measureTemplate(const DialogHeader& header);
void buildTemplate(void* block, const DialogHeader& header);
