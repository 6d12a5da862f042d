#include "app/dictionary_files.h"

#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/outside_changes.h"
#include "app/translation_file_paths.h"
#include "app/translation_records.h"
#include "forms/modal_display.h"
#include "runtime/messages.h"
#include "runtime/text.h"

#include <string>

namespace {

// A dictionary too short to hold even its header has no entry numbering: its first entry
// would land on the header. Give it a header that says "no entries yet", so the first Add
// makes record 2; what bytes a header cut short has are no count. A file that holds
// records is never written here, whatever its header says: its entries are the user's.
void numberEntriesOfEmptyDictionary() {
    int64_t length = fileLength(editorState().dictionaryFile);
    if (length < 0 || length >= static_cast<int64_t>(recordLength)) return;
    editorState().dictionaryBuffer = EntryRecord{};
    setEntryCount(editorState().dictionaryBuffer, 1);
    if (writeDictionaryRecord(headerRecord, editorState().dictionaryBuffer) != 0) reportDictionaryWriteFailure(nullptr);
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
    if (!editorState().dictionaryFile && !openTranslationFile(editorState().dictionaryFile, dictionaryFileName, "r+"))
        return false;
    readRecord(editorState().dictionaryFile, headerRecord, &editorState().dictionaryBuffer, recordLength);
    noteOwnState(HeldFile::dictionary);
    numberEntriesOfEmptyDictionary();
    removeRebuildLeftovers();
    return true;
}

}  // namespace

void openTranslationFiles() {
    if (openDictionary())
        editorState().currentEntry = entryCount(editorState().dictionaryBuffer);
    else
        editorState().runFlag = 0;

    if (editorState().workFile || openTranslationFile(editorState().workFile, workFileName, "a")) {
        readRecord(editorState().workFile, headerRecord, &editorState().workBuffer, recordLength);
        editorState().newRecordCount = entryCount(editorState().workBuffer);
    } else {
        editorState().runFlag = 0;
    }
}

bool refuseChangedDictionary(const char* consequence) {
    OutsideChange change = outsideChange(HeldFile::dictionary);
    if (change == OutsideChange::none) return false;
    reportOutsideChange(HeldFile::dictionary, change, consequence);
    closeFile(&editorState().dictionaryFile, translationFileKind);
    if (!openDictionary()) {
        closeDialog(editorState().editorForm, 1);
        editorState().runFlag = 0;
    }
    return true;
}

int32_t writeDictionaryRecord(int32_t record, const EntryRecord& buffer) {
    int32_t result = writeRecord(editorState().dictionaryFile, record, &buffer, recordLength);
    noteOwnState(HeldFile::dictionary);
    return result;
}

int32_t setDictionaryLength(int64_t length) {
    int32_t result = setFileLength(editorState().dictionaryFile, length);
    noteOwnState(HeldFile::dictionary);
    return result;
}

void flushDictionary() {
    if (editorState().dictionaryFile && flushDictionaryWrites() != 0) reportDictionaryWriteFailure(nullptr);
}

// A file system may set the time of the last write only when the writes reach the medium.
int32_t flushDictionaryWrites() {
    int32_t result = flushFile(editorState().dictionaryFile);
    noteOwnState(HeldFile::dictionary);
    return result;
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
