#include "app/entry_store.h"

#include "app/dictionary_files.h"
#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/entry_fields.h"
#include "app/form_fields.h"
#include "app/translation_records.h"
#include "runtime/control_text.h"
#include "runtime/messages.h"
#include "runtime/text.h"

#include <limits>

namespace {

// Only the first occurrence of each is replaced, in this order.
constexpr const char* descriptionSeparators[] = {".", ";", ",", "(", ")", "[", "]"};

void replaceFirstSeparators(TextField255& description) {
    for (const char* separator : descriptionSeparators) {
        int32_t position = findText(description, separator, 1);
        if (position > 0) overwriteText(description, position, 1, " ");
    }
}

// Read aside, so that the dictionary buffer holds exactly what the form says.
int32_t dictionaryEntryCount() {
    EntryRecord header{};
    if (readRecord(editorState().dictionaryFile, headerRecord, &header, recordLength) != 0) return 0;
    return entryCount(header);
}

}  // namespace

void forgetStoreRefusal() { editorState().refusedPosition = 0; }

StoreRefusal storeRefusal(int64_t record, int32_t count) {
    // A record that starts past the reach of a record file's offsets cannot be written at
    // all; one that starts past the file's end would put zero records, entries nobody
    // made, before it.
    constexpr int64_t lastAddressableRecord = std::numeric_limits<int32_t>::max() / int64_t(recordLength) + 1;
    if (record < 2 || record > static_cast<int64_t>(count) + 1) return StoreRefusal::outsideEntries;
    if (record > lastAddressableRecord) return StoreRefusal::full;
    int64_t length = fileLength(editorState().dictionaryFile);
    if (length >= 0 && (record - 1) * int64_t(recordLength) > length) return StoreRefusal::pastFileEnd;
    return StoreRefusal::none;
}

bool reportStoreRefusal(StoreRefusal refusal) {
    if (refusal == StoreRefusal::full)
        messageBox(&editorState().editorForm, "TranslationFile.dat is full, this entry can't be stored", errorCaption,
                   0);
    else if (refusal == StoreRefusal::pastFileEnd)
        messageBox(&editorState().editorForm, "TranslationFile.dat ends before this entry, it can't be stored",
                   errorCaption, 0);
    else
        return false;
    return true;
}

int32_t storeEntry() {
    for (int32_t i = 0; i < numberFieldCount; ++i)
        numberField(editorState().dictionaryBuffer, i) = readNumberControl(firstEntryField + i);
    for (int32_t i = 0; i < textFieldCount - 1; ++i) {
        char* text = getControlText(editorState().editorForm, firstTextField + i);
        storeSlotText(textField(editorState().dictionaryBuffer, i), text);
        freeText(text);
    }
    TextField255 description;
    char* text = getControlText(editorState().editorForm, descriptionField);
    storeSlotText(description, text);
    freeText(text);
    replaceFirstSeparators(description);
    copySlot(editorState().dictionaryBuffer.description, description);

    // The first refusal ends the command, so the user still has the texts; the second
    // lets the command go on, or no command could ever leave the position.
    StoreRefusal refusal = storeRefusal(editorState().currentEntry, dictionaryEntryCount());
    if (refusal != StoreRefusal::none) {
        bool secondTry = editorState().refusedPosition == editorState().currentEntry;
        editorState().refusedPosition = 0;
        if (secondTry || !reportStoreRefusal(refusal)) return 0;
        editorState().refusedPosition = editorState().currentEntry;
        return 1;
    }
    editorState().refusedPosition = 0;
    if (refuseChangedDictionary("this entry was not stored")) return 1;
    if (writeDictionaryRecord(editorState().currentEntry, editorState().dictionaryBuffer) != 0) {
        reportDictionaryWriteFailure(&editorState().editorForm);
        return 1;
    }
    return 0;
}
