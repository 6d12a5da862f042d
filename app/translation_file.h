// The translation files: fixed 2056-byte records, record 1 the header whose first int32
// is the entry count (the record number of the last entry), entries in records 2 to count.
#pragma once

#include "files.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr int32_t textFieldSize = 255;      // bytes of a text slot
constexpr int32_t textFieldCapacity = 254;  // characters it holds besides its terminator

using TextField255 = char[textFieldSize];

struct EntryRecord {
    int32_t mode;
    int32_t command;
    int32_t replyKind;
    int32_t wordClass;
    TextField255 replyRef;
    TextField255 keyWords;
    TextField255 translation;
    TextField255 replyText;
    TextField255 fileCommand;
    TextField255 nameReply;
    TextField255 synonyms;
    TextField255 description;
};

constexpr uint32_t recordLength = 2056;
static_assert(sizeof(EntryRecord) == recordLength, "a record is 2056 bytes without padding");
static_assert(offsetof(EntryRecord, mode) == 0);
static_assert(offsetof(EntryRecord, command) == 4);
static_assert(offsetof(EntryRecord, replyKind) == 8);
static_assert(offsetof(EntryRecord, wordClass) == 12);
static_assert(offsetof(EntryRecord, replyRef) == 16);
static_assert(offsetof(EntryRecord, keyWords) == 271);
static_assert(offsetof(EntryRecord, translation) == 526);
static_assert(offsetof(EntryRecord, replyText) == 781);
static_assert(offsetof(EntryRecord, fileCommand) == 1036);
static_assert(offsetof(EntryRecord, nameReply) == 1291);
static_assert(offsetof(EntryRecord, synonyms) == 1546);
static_assert(offsetof(EntryRecord, description) == 1801);

// The application's file variables are record files; the high word carries a 1.
constexpr uint32_t translationFileKind = 0x1000B;
constexpr int32_t headerRecord = 1;

inline constexpr char dictionaryFileName[] = "TranslationFile.dat";
inline constexpr char workFileName[] = "TranslationFileNEW.dat";

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

// The one in-memory record of each file, and the editor's record numbers.
extern EntryRecord dictionaryBuffer;
extern EntryRecord workBuffer;
extern int32_t currentEntry;    // the entry on show
extern int32_t newRecordCount;  // the next record to write into the work file
extern FileVariable dictionaryFile;
extern FileVariable workFile;
