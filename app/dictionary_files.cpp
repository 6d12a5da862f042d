#include "app/dictionary_files.h"

#include "app/editor_state.h"
#include "app/translation_file_paths.h"
#include "app/translation_records.h"
#include "runtime/messages.h"
#include "runtime/text.h"

namespace {

// A dictionary too short to hold even its header has no entry numbering: its first entry
// would land on the header. Give it a header that says "no entries yet", so the first Add
// makes record 2; what bytes a header cut short has are no count. A file that holds
// records is never written here, whatever its header says: its entries are the user's.
void numberEntriesOfEmptyDictionary() {
    int64_t length = fileLength(editorState().dictionaryFile);
    if (length < 0 || length >= static_cast<int64_t>(recordLength))
        return;
    editorState().dictionaryBuffer = EntryRecord{};
    setEntryCount(editorState().dictionaryBuffer, 1);
    if (writeRecord(editorState().dictionaryFile, headerRecord, &editorState().dictionaryBuffer, recordLength) != 0)
        reportDictionaryWriteFailure(nullptr);
}

}  // namespace

void openTranslationFiles() {
    char* path = translationFilePath(dictionaryFileName);
    if (editorState().dictionaryFile || openFile(&editorState().dictionaryFile, translationFileKind, path, "r+") == 0) {
        readRecord(editorState().dictionaryFile, headerRecord, &editorState().dictionaryBuffer, recordLength);
        numberEntriesOfEmptyDictionary();
        editorState().currentEntry = entryCount(editorState().dictionaryBuffer);
        removeRebuildLeftovers();
    } else {
        messageBox(nullptr, "Can't find TranslationFile.dat", errorCaption, 0);
        editorState().runFlag = 0;
    }
    freeText(path);

    path = translationFilePath(workFileName);
    if (editorState().workFile || openFile(&editorState().workFile, translationFileKind, path, "a") == 0) {
        readRecord(editorState().workFile, headerRecord, &editorState().workBuffer, recordLength);
        editorState().newRecordCount = entryCount(editorState().workBuffer);
    } else {
        messageBox(nullptr, "Can't find TranslationFileNEW.dat", errorCaption, 0);
        editorState().runFlag = 0;
    }
    freeText(path);
}

void flushDictionary() {
    if (editorState().dictionaryFile && flushFile(editorState().dictionaryFile) != 0)
        reportDictionaryWriteFailure(nullptr);
}

void closeTranslationFiles() {
    closeFile(&editorState().dictionaryFile, translationFileKind);
    closeFile(&editorState().workFile, translationFileKind);
}

int32_t readDictionaryHeader() {
    readRecord(editorState().dictionaryFile, headerRecord, &editorState().dictionaryBuffer, recordLength);
    return entryCount(editorState().dictionaryBuffer);
}

void reportDictionaryWriteFailure(const DialogObject* owner) {
    messageBox(owner, "Can't write TranslationFile.dat", errorCaption, 0);
}
