// Opening, naming and reading the headers of the dictionary and the work file.
#pragma once

#include "runtime/dialog_object.h"

#include <cstdint>

// The caption of every message about the translation files.
constexpr const char* errorCaption = "error...MAIN...";

// Opens the dictionary ("r+", must exist) and the work file ("a", created when missing),
// each unless it is open already (as the rebuild leaves them), and reads their headers
// into currentEntry and newRecordCount. Each failure is shown
// and clears runFlag; the second open is tried whatever became of the first.
void openTranslationFiles();
void closeTranslationFiles();
// Pushes what the stores wrote to the medium; a failure is shown.
void flushDictionary();

// Reads the dictionary's header into the dictionary buffer and returns its entry count.
int32_t readDictionaryHeader();

// A refused write must not pass in silence.
void reportDictionaryWriteFailure(const DialogObject* owner);
