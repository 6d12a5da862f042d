// The translation files: fixed 2056-byte records, record 1 the header whose first int32
// is the entry count (the record number of the last entry), entries in records 2 to count.
#pragma once

#include "record/entry_record.h"
#include "runtime/files.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// The application's file variables are record files; the high word carries a 1.
constexpr uint32_t translationFileKind = (1u << 16) | fileKindRecord;
constexpr int32_t headerRecord = 1;

inline constexpr char dictionaryFileName[] = "TranslationFile.dat";
inline constexpr char workFileName[] = "TranslationFileNEW.dat";

// The caption of every message about the translation files.
constexpr const char* errorCaption = "error...MAIN...";

// The header is read into an EntryRecord buffer; its first int32 is the entry count.
int32_t entryCount(const EntryRecord& header);
void setEntryCount(EntryRecord& header, int32_t count);

// A slot's text: the bytes before its terminator, or all 255 bytes of a slot read from a
// file without one. Never reaches into the next field.
std::string_view slotText(const TextField255& slot);
bool slotIsTerminated(const TextField255& slot);
// Stores a zero-terminated text, cut to 254 characters, and terminates it. The bytes
// after the terminator keep what they held.
void storeSlotText(TextField255& slot, const char* text);
