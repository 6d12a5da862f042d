#include "app/entry_view.h"

#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/entry_fields.h"
#include "app/form_fields.h"
#include "app/translation_records.h"
#include "runtime/control_text.h"
#include "runtime/text.h"

namespace {

void showFixedTexts(const char* const (&numbers)[numberFieldCount], const char* replyRef, const char* keyWords) {
    for (int32_t i = 0; i < numberFieldCount; ++i) showText(firstEntryField + i, numbers[i]);
    showText(firstTextField, replyRef);
    showText(firstTextField + 1, keyWords);
    for (int32_t id = firstTextField + 2; id <= descriptionField; ++id) showText(id, "");
}

}  // namespace

void showBufferedEntry() {
    for (int32_t i = 0; i < numberFieldCount; ++i)
        showNumber(firstEntryField + i, numberField(editorState().dictionaryBuffer, i));
    for (int32_t i = 0; i < textFieldCount; ++i) {
        char text[textFieldSize + 1];
        terminatedSlotText(textField(editorState().dictionaryBuffer, i), text);
        showText(firstTextField + i, text);
    }
    showNumber(entryNumberBox, editorState().currentEntry);
}

int32_t showEntry() {
    readRecord(editorState().dictionaryFile, editorState().currentEntry, &editorState().dictionaryBuffer, recordLength);
    if (editorState().dictionaryBuffer.wordClass == 1) editorState().dictionaryBuffer.wordClass = 0;
    showBufferedEntry();
    return 0;
}

void showStartingEntry() {
    int64_t length = fileLength(editorState().dictionaryFile);
    if (length >= 0 && (int64_t(editorState().currentEntry) - 1) * recordLength >= length) {
        for (int32_t id = firstEntryField; id <= descriptionField; ++id) showText(id, "");
        showNumber(entryNumberBox, editorState().currentEntry);
        return;
    }
    showEntry();
}

void showNextEntrySentinel() { showFixedTexts({"1", "0", "1", "0"}, "na", "Next entry"); }

void showNewEntryTemplate() {
    char* findText = getControlText(editorState().editorForm, findBox);
    pushTemporary(findText);
    showFixedTexts({"1", "0", "0", "1"}, "na", findText);
    popTemporaries(1);
}
