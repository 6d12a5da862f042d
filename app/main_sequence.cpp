#include "app/main_sequence.h"

#include "app/dictionary_files.h"
#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/translation_file_paths.h"
#include "app/translation_records.h"
#include "forms/dialog_registry.h"
#include "forms/modal_display.h"
#include "runtime/messages.h"
#include "runtime/numbers.h"
#include "runtime/text.h"

namespace {

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
    editorState().runFlag = 1;
    buildEditorForm();
    openTranslationFiles();
    // A form that cannot be shown at all would leave the loop below waiting forever.
    if (editorState().runFlag != 0 && showModal(editorState().editorForm, nullptr) == -1) editorState().runFlag = 0;
    // Tested before waiting: when the run has already ended no message may ever come.
    while (editorState().runFlag != 0) processMessages(0);
    // The stores of a whole session are plain writes; they reach the medium here, once
    // the form has ended, rather than one flush for every move through the entries.
    flushDictionary();
    closeTranslationFiles();
    deleteWorkFile();
    freeDialogs();
    endProgram();
    return 0;
}
