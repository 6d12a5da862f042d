#include "main_sequence.h"

#include "dialogs.h"
#include "dictionary_files.h"
#include "editor_form.h"
#include "messages.h"
#include "numbers.h"
#include "text.h"
#include "translation_records.h"

int32_t runFlag = 0;

namespace {

// Every run starts from the state a freshly started program has.
void resetEditorState() {
    dictionaryBuffer = EntryRecord{};
    workBuffer = EntryRecord{};
    currentEntry = 0;
    newRecordCount = 0;
}

void deleteWorkFile() {
    char* path = translationFilePath(workFileName);
    deleteFile(path);
    freeText(path);
}

}  // namespace

int32_t runEditor() {
    setNumericControlState();
    initTextHeap();
    resetEditorState();
    runFlag = 1;
    buildEditorForm();
    openTranslationFiles();
    // A form that cannot be shown at all would leave the loop below waiting forever.
    if (runFlag != 0 && showModal(editorForm, nullptr) == -1)
        runFlag = 0;
    // Tested before waiting: when the run has already ended no message may ever come.
    while (runFlag != 0)
        processMessages(0);
    // The stores of a whole session are plain writes; they reach the medium here, once
    // the form has ended, rather than one flush for every move through the entries.
    flushDictionary();
    closeTranslationFiles();
    deleteWorkFile();
    freeDialogs();
    endProgram();
    return 0;
}
