// Everything the editor keeps from one call to the next, in one place. The program is
// plain procedures over this process-wide state; each reaches it through editorState().
#pragma once

#include "app/translation_records.h"
#include "runtime/dialog_object.h"

#include <cstdint>

struct EditorState {
    DialogObject editorForm;
    // The one open handle and the one in-memory record of each translation file.
    FileVariable dictionaryFile = nullptr;
    FileVariable workFile = nullptr;
    EntryRecord dictionaryBuffer{};
    EntryRecord workBuffer{};
    int32_t currentEntry = 0;    // the entry on show
    int32_t newRecordCount = 0;  // the next record to write into the work file
    // 1 while the editor runs; whatever ends the run (a file that fails to open, the end
    // of the form) clears it, and the main sequence then goes on to shut down.
    int32_t runFlag = 0;
    int32_t refusedPosition = 0;  // the position whose store was last refused, 0 for none
    int32_t classNumber = 0;      // of the pass "del if 4 = ", from the field beside its button
};

EditorState& editorState();
// Back to the state of a freshly started program: every run starts from it.
void resetEditorState();
