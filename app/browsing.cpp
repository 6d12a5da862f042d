#include "app/browsing.h"

#include "app/dictionary_files.h"
#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/entry_store.h"
#include "app/entry_view.h"
#include "app/form_fields.h"
#include "app/translation_records.h"

#include <cstdint>

namespace {

void undoAdd(int32_t cameFrom, int64_t lengthBefore) {
    if (lengthBefore >= 0) setDictionaryLength(lengthBefore);
    editorState().currentEntry = cameFrom;
    showEntry();
}

}  // namespace

// Up shows the next entry with its wordClass as it is. Past the last entry it goes only
// when the box already names the position after it, and shows the Next-entry sentinel.
void moveUp() {
    if (storeEntry() != 0) return;
    int64_t next = static_cast<int64_t>(readNumberControl(entryNumberBox)) + 1;
    int32_t count = readDictionaryHeader();
    if (count >= next) {
        editorState().currentEntry = static_cast<int32_t>(next);
        readRecord(editorState().dictionaryFile, editorState().currentEntry, &editorState().dictionaryBuffer,
                   recordLength);
        showBufferedEntry();
        return;
    }
    editorState().currentEntry = static_cast<int32_t>(next - 1);
    if (static_cast<int64_t>(editorState().currentEntry) == static_cast<int64_t>(count) + 1) {
        showNumber(entryNumberBox, editorState().currentEntry);
        showNextEntrySentinel();
    }
}

void moveDown() {
    if (storeEntry() != 0) return;
    editorState().currentEntry = readNumberControl(entryNumberBox);
    if (editorState().currentEntry > 2) --editorState().currentEntry;
    if (editorState().currentEntry > 1) showEntry();
}

// A number outside the entries shows the last one.
void goToEntry() {
    if (storeEntry() != 0) return;
    int32_t count = readDictionaryHeader();
    editorState().currentEntry = readNumberControl(entryNumberBox);
    if (!(editorState().currentEntry > 1 && editorState().currentEntry <= count)) editorState().currentEntry = count;
    showEntry();
}

// The new entry, made from the template with the Find box's word as its key words, goes
// to the position after the last entry, and only once it is written does the header's
// count grow to take it in. An Add the file refuses at any step is undone: the file is
// cut back to what it was (a full disk leaves part of a record behind, and every later
// command would fail on that position) and the form returns to the entry it came from.
// An Add that completes is flushed to the medium.
void addEntry() {
    if (storeEntry() != 0) return;
    int32_t count = readDictionaryHeader();
    StoreRefusal refusal = storeRefusal(static_cast<int64_t>(count) + 1, count);
    if (refusal != StoreRefusal::none) {
        reportStoreRefusal(refusal);
        return;
    }
    EntryRecord header = editorState().dictionaryBuffer;
    int32_t cameFrom = editorState().currentEntry;
    int64_t lengthBefore = fileLength(editorState().dictionaryFile);
    editorState().currentEntry = count + 1;
    showNumber(entryNumberBox, editorState().currentEntry);
    showEntry();
    showNewEntryTemplate();
    if (storeEntry() != 0) {
        undoAdd(cameFrom, lengthBefore);
        return;
    }
    setEntryCount(header, count + 1);
    bool headerWritten = writeDictionaryRecord(headerRecord, header) == 0;
    if (headerWritten && flushDictionaryWrites() == 0) return;
    reportDictionaryWriteFailure(&editorState().editorForm);
    // Undone only once the header no longer counts the new entry: a header that cannot
    // be put back keeps the entry it promises.
    if (headerWritten) {
        setEntryCount(header, count);
        if (writeDictionaryRecord(headerRecord, header) != 0) return;
    }
    undoAdd(cameFrom, lengthBefore);
}
