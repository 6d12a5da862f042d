#include "app/word_lookup.h"

#include "app/dictionary_files.h"
#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/entry_fields.h"
#include "app/entry_store.h"
#include "app/entry_view.h"
#include "app/translation_records.h"
#include "runtime/control_text.h"
#include "runtime/messages.h"
#include "runtime/text.h"

#include <windows.h>

// Every entry is compared, whole text against whole text with case, and the last match
// wins. When none matches the last entry is shown before the user is told.
int32_t findEntry() {
    if (storeEntry() != 0) return 0;
    int32_t count = readDictionaryHeader();
    editorState().currentEntry = count;
    bool found = false;
    char* sought = getControlText(editorState().editorForm, findBox);
    for (int32_t record = 2; record <= count; ++record) {
        if (readRecord(editorState().dictionaryFile, record, &editorState().dictionaryBuffer, recordLength) != 0) break;
        char keyWords[textFieldSize + 1];
        terminatedSlotText(editorState().dictionaryBuffer.keyWords, keyWords);
        if (lstrcmpA(sought, keyWords) == 0) {
            editorState().currentEntry = record;
            found = true;
        }
    }
    freeText(sought);
    if (editorState().currentEntry > 0 && editorState().currentEntry <= count) showEntry();
    if (!found) messageBox(&editorState().editorForm, "Not Found, click Add To Put into TF", "Not Found", MB_ICONHAND);
    return 0;
}
