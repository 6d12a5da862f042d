// What the editor form does with each of its events.
#include "app/browsing.h"
#include "app/dictionary_files.h"
#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/entry_store.h"
#include "app/entry_view.h"
#include "app/maintenance_passes.h"
#include "app/translation_records.h"
#include "app/word_lookup.h"
#include "forms/events.h"
#include "forms/forms_state.h"
#include "forms/modal_display.h"
#include "runtime/control_text.h"
#include "runtime/messages.h"
#include "runtime/text.h"

namespace {

void endRun() {
    closeDialog(editorState().editorForm, 1);
    editorState().runFlag = 0;
}

// A store the file refused keeps the form open, with the user's edits in it.
void storeAndEndRun() {
    if (storeEntry() == 0) endRun();
}

void initialiseForm() {
    centreWindow(editorState().editorForm);
    setControlText(editorState().editorForm, findBox, "");
    forgetStoreRefusal();
    editorState().currentEntry = readDictionaryHeader();
    showStartingEntry();
}

struct Command {
    int32_t controlId;
    void (*run)();
};

constexpr Command commands[] = {
    {defaultCommand, storeAndEndRun},
    {okButton, storeAndEndRun},
    {cancelButton, endRun},
    {upButton, moveUp},
    {downButton, moveDown},
    {gotoButton, goToEntry},
    {findButton, [] { findEntry(); }},
    {addButton, addEntry},
    {deleteLinksButton, deleteLinkEntries},
    {deleteWordClassButton, deleteWordClassEntries},
    {deleteClass32Button, deleteClass32Entries},
    {deleteUnusedButton, deleteUnusedEntries},
    {extractWordsButton, extractWords},
    {resetHighModesButton, resetHighModes},
};

// Edit fields notify as their texts change; their ids have no command, so the
// notifications the form's own updates cause do nothing.
void runCommand(int32_t controlId) {
    for (const Command& command : commands)
        if (command.controlId == controlId) {
            command.run();
            return;
        }
}

}  // namespace

int32_t editorHandler() {
    switch (formsState().eventContext.message) {
    case initialisationMessage:
        initialiseForm();
        break;
    case closeMessage:  // the form has already ended; nothing is stored
        editorState().runFlag = 0;
        break;
    case commandMessage:
        runCommand(formsState().eventContext.controlId);
        break;
    default:
        break;
    }
    return 0;
}
