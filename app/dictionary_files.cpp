#include "dictionary_files.h"

#include "dialogs.h"
#include "editor_form.h"
#include "main_sequence.h"
#include "messages.h"
#include "outside_changes.h"
#include "rebuild.h"
#include "text.h"
#include "translation_records.h"

#include <string>

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
    if (writeDictionaryRecord(headerRecord, dictionaryBuffer) != 0)
        reportDictionaryWriteFailure(nullptr);
}

// The system's words for why a file cannot be had, without the line break they end with.
std::string systemReason(DWORD error) {
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason.empty() ? "error " + std::to_string(error) : reason;
}

// Only a file on disk is a translation file (a link to one will do): a pass would put a
// plain file in place of a device or a pipe, and reading a pipe waits for ever.
// The box says which file could not be had and why, so that the user knows what to fix.
bool openTranslationFile(FileVariable& file, const char* fileName, const char* mode) {
    char* path = translationFilePath(fileName);
    std::string reason;
    if (openFile(&file, translationFileKind, path, mode) != 0) {
        reason = systemReason(GetLastError());
    } else if (GetFileType(file) != FILE_TYPE_DISK) {
        closeFile(&file, translationFileKind);
        reason = "This is a device or a pipe, not a file.";
    }
    if (!reason.empty()) {
        char* text = concatTexts({"Can't find ", fileName, "\n", path, ": ", reason.c_str()});
        messageBox(nullptr, text, errorCaption, 0);
        freeText(text);
    }
    freeText(path);
    return file != nullptr;
}

bool openDictionary() {
    if (!dictionaryFile && !openTranslationFile(dictionaryFile, dictionaryFileName, "r+"))
        return false;
    readRecord(dictionaryFile, headerRecord, &dictionaryBuffer, recordLength);
    noteOwnState(HeldFile::dictionary);
    numberEntriesOfEmptyDictionary();
    removeRebuildLeftovers();
    return true;
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
    if (openDictionary())
        currentEntry = entryCount(dictionaryBuffer);
    else
        runFlag = 0;

    if (workFile || openTranslationFile(workFile, workFileName, "a")) {
        readRecord(workFile, headerRecord, &workBuffer, recordLength);
        newRecordCount = entryCount(workBuffer);
    } else {
        runFlag = 0;
    }
}

bool refuseChangedDictionary(const char* consequence) {
    OutsideChange change = outsideChange(HeldFile::dictionary);
    if (change == OutsideChange::none)
        return false;
    reportOutsideChange(HeldFile::dictionary, change, consequence);
    closeFile(&dictionaryFile, translationFileKind);
    if (!openDictionary()) {
        closeDialog(editorForm, 1);
        runFlag = 0;
    }
    return true;
}

int32_t writeDictionaryRecord(int32_t record, const EntryRecord& buffer) {
    int32_t result = writeRecord(dictionaryFile, record, &buffer, recordLength);
    noteOwnState(HeldFile::dictionary);
    return result;
}

int32_t setDictionaryLength(int64_t length) {
    int32_t result = setFileLength(dictionaryFile, length);
    noteOwnState(HeldFile::dictionary);
    return result;
}

void flushDictionary() {
    if (dictionaryFile && flushDictionaryWrites() != 0)
        reportDictionaryWriteFailure(nullptr);
}

// A file system may set the time of the last write only when the writes reach the medium.
int32_t flushDictionaryWrites() {
    int32_t result = flushFile(dictionaryFile);
    noteOwnState(HeldFile::dictionary);
    return result;
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
