#include "entry_view.h"

#include "editor_form.h"
#include "entry_fields.h"
#include "form_fields.h"
#include "text.h"
#include "translation_records.h"

namespace {

void showFixedTexts(const char* const (&numbers)[numberFieldCount], const char* replyRef, const char* keyWords) {
    for (int32_t i = 0; i < numberFieldCount; ++i)
        showText(firstEntryField + i, numbers[i]);
    showText(firstTextField, replyRef);
    showText(firstTextField + 1, keyWords);
    for (int32_t id = firstTextField + 2; id <= descriptionField; ++id)
        showText(id, "");
}

}  // namespace

void showBufferedEntry() {
    for (int32_t i = 0; i < numberFieldCount; ++i)
        showNumber(firstEntryField + i, numberField(dictionaryBuffer, i));
    for (int32_t i = 0; i < textFieldCount; ++i) {
        char text[textFieldSize + 1];
        terminatedSlotText(textField(dictionaryBuffer, i), text);
        showText(firstTextField + i, text);
    }
    showNumber(entryNumberBox, currentEntry);
}

int32_t showEntry() {
    readRecord(dictionaryFile, currentEntry, &dictionaryBuffer, recordLength);
    if (dictionaryBuffer.wordClass == 1)
        dictionaryBuffer.wordClass = 0;
    showBufferedEntry();
    return 0;
}

void showStartingEntry() {
    int64_t length = fileLength(dictionaryFile);
    if (length >= 0 && (int64_t(currentEntry) - 1) * recordLength >= length) {
        for (int32_t id = firstEntryField; id <= descriptionField; ++id)
            showText(id, "");
        showNumber(entryNumberBox, currentEntry);
        return;
    }
    showEntry();
}

void showNextEntrySentinel() { showFixedTexts({"1", "0", "1", "0"}, "na", "Next entry"); }

void showNewEntryTemplate() {
    char* findText = getControlText(editorForm, findBox);
    pushTemporary(findText);
    showFixedTexts({"1", "0", "0", "1"}, "na", findText);
    popTemporaries(1);
}
