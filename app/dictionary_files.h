// Opening, naming and reading the headers of the dictionary and the work file.
#pragma once

#include "app/translation_records.h"
#include "runtime/dialog_object.h"

#include <cstdint>

// Opens the dictionary ("r+", must exist) and the work file ("a", created when missing),
// each unless it is open already (as the rebuild leaves them), and reads their headers
// into currentEntry and newRecordCount. Only files on disk are opened. Each failure is
// shown, with the path and the system's reason, and clears runFlag; the second open is
// tried whatever became of the first.
void openTranslationFiles();
// Before the editor writes into the dictionary: when another program has changed or
// replaced it, says so with `consequence` ("this entry was not stored"), opens the
// dictionary anew (its name may now lead to another file) and returns true; the form
// keeps its texts and currentEntry stays. A dictionary that cannot be opened again ends
// the form as at start-up.
bool refuseChangedDictionary(const char* consequence);
// The editor's own changes to the dictionary, noted as its own (see outside_changes.h).
int32_t writeDictionaryRecord(int32_t record, const EntryRecord& buffer);
int32_t setDictionaryLength(int64_t length);
int32_t flushDictionaryWrites();
void closeTranslationFiles();
// Pushes what the stores wrote to the medium; a failure is shown.
void flushDictionary();

// Reads the dictionary's header into the dictionary buffer and returns its entry count.
int32_t readDictionaryHeader();

// A refused write must not pass in silence.
void reportDictionaryWriteFailure(const DialogObject* owner);
