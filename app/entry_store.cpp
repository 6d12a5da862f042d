#include "entry_store.h"

#include "editor_form.h"
#include "entry_fields.h"
#include "form_fields.h"
#include "text.h"
#include "translation_file.h"
#include "translation_files.h"

#include <limits>

namespace {

// Only the first occurrence of each is replaced, in this order.
constexpr const char* descriptionSeparators[] = {".", ";", ",", "(", ")", "[", "]"};

void replaceFirstSeparators(TextField255& description) {
    for (const char* separator : descriptionSeparators) {
        int32_t position = findText(description, separator, 1);
        if (position > 0)
            overwriteText(description, position, 1, " ");
    }
}

// Read aside, so that the dictionary buffer holds exactly what the form says.
int32_t dictionaryEntryCount() {
    EntryRecord header{};
    if (readRecord(dictionaryFile, headerRecord, &header, recordLength) != 0)
        return 0;
    return entryCount(header);
}

}  // namespace

// A record that starts past the reach of a record file's offsets cannot be written at
// all; a dictionary whose header claims such entries must not leave the user at a
// position where every command fails on its store.
bool isStorablePosition(int32_t record, int32_t count) {
    constexpr int64_t lastAddressableRecord = std::numeric_limits<int32_t>::max() / int64_t(recordLength) + 1;
    return record >= 2 && static_cast<int64_t>(record) <= static_cast<int64_t>(count) + 1 &&
           record <= lastAddressableRecord;
}

int32_t storeEntry() {
    for (int32_t i = 0; i < numberFieldCount; ++i)
        numberField(dictionaryBuffer, i) = readNumberControl(firstEntryField + i);
    for (int32_t i = 0; i < textFieldCount - 1; ++i) {
        char* text = getControlText(editorForm, firstTextField + i);
        storeSlotText(textField(dictionaryBuffer, i), text);
        freeText(text);
    }
    TextField255 description;
    char* text = getControlText(editorForm, descriptionField);
    storeSlotText(description, text);
    freeText(text);
    replaceFirstSeparators(description);
    copySlot(dictionaryBuffer.description, description);

    if (!isStorablePosition(currentEntry, dictionaryEntryCount()))
        return 0;
    if (writeRecord(dictionaryFile, currentEntry, &dictionaryBuffer, recordLength) != 0) {
        reportDictionaryWriteFailure(&editorForm);
        return 1;
    }
    return 0;
}
