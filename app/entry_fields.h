// The entry record's fields in form order: four numbers, then eight texts.
#pragma once

#include "app/translation_records.h"

#include <cstdint>

constexpr int32_t numberFieldCount = 4;
constexpr int32_t textFieldCount = 8;

int32_t& numberField(EntryRecord& entry, int32_t index);
TextField255& textField(EntryRecord& entry, int32_t index);

// A zero-terminated copy of a slot's text: at most its 255 bytes, never the next field.
void terminatedSlotText(const TextField255& slot, char (&text)[textFieldSize + 1]);
// Copies one slot's text into another, cut to what a slot holds.
void copySlot(TextField255& destination, const TextField255& source);
