#include "dictionary_files.h"

#include "main_sequence.h"
#include "messages.h"
#include "rebuild.h"
#include "text.h"
#include "translation_records.h"

namespace {

// A dictionary too short to hold even its header has no entry numbering: its first entry
// would land on the header. Give it a header that says "no entries yet", so the first Add
// makes record 2; what bytes a header cut short has are no count. A file that holds
// records is never written here, whatever its header says: its entries are the user's.
void numberEntriesOfEmptyDictionary() {
    int64_t length = fileLength(dictionaryFile);
    if (length < 0 || length >= static_cast<int64_t>(recordLength))
        return;
    dictionaryBuffer = EntryRecord{};
    setEntryCount(dictionaryBuffer, 1);
    if (writeRecord(dictionaryFile, headerRecord, &dictionaryBuffer, recordLength) != 0)
        reportDictionaryWriteFailure(nullptr);
}

}  // namespace

char* translationFilePath(const char* fileName) {
    char* directory = startDirectory();
    pushTemporary(directory);
    char* path = concatTexts({directory, fileName});
    popTemporaries(1);
    return path;
}

void openTranslationFiles() {
    char* path = translationFilePath(dictionaryFileName);
    if (dictionaryFile || openFile(&dictionaryFile, translationFileKind, path, "r+") == 0) {
        readRecord(dictionaryFile, headerRecord, &dictionaryBuffer, recordLength);
        numberEntriesOfEmptyDictionary();
        currentEntry = entryCount(dictionaryBuffer);
        removeRebuildLeftovers();
    } else {
        messageBox(nullptr, "Can't find TranslationFile.dat", errorCaption, 0);
        runFlag = 0;
    }
    freeText(path);

    path = translationFilePath(workFileName);
    if (workFile || openFile(&workFile, translationFileKind, path, "a") == 0) {
        readRecord(workFile, headerRecord, &workBuffer, recordLength);
        newRecordCount = entryCount(workBuffer);
    } else {
        messageBox(nullptr, "Can't find TranslationFileNEW.dat", errorCaption, 0);
        runFlag = 0;
    }
    freeText(path);
}

void flushDictionary() {
    if (dictionaryFile && flushFile(dictionaryFile) != 0)
        reportDictionaryWriteFailure(nullptr);
}

void closeTranslationFiles() {
    closeFile(&dictionaryFile, translationFileKind);
    closeFile(&workFile, translationFileKind);
}

int32_t readDictionaryHeader() {
    readRecord(dictionaryFile, headerRecord, &dictionaryBuffer, recordLength);
    return entryCount(dictionaryBuffer);
}

void reportDictionaryWriteFailure(const DialogObject* owner) {
    messageBox(owner, "Can't write TranslationFile.dat", errorCaption, 0);
}
