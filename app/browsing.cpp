#include "browsing.h"

#include "editor_form.h"
#include "entry_store.h"
#include "entry_view.h"
#include "form_fields.h"
#include "translation_file.h"
#include "translation_files.h"

#include <cstdint>
#include <limits>

// Up shows the next entry with its wordClass as it is. Past the last entry it goes only
// when the box already names the position after it, and shows the Next-entry sentinel.
void moveUp() {
    if (storeEntry() != 0)
        return;
    int64_t next = static_cast<int64_t>(readNumberControl(entryNumberBox)) + 1;
    int32_t count = readDictionaryHeader();
    if (count >= next) {
        currentEntry = static_cast<int32_t>(next);
        readRecord(dictionaryFile, currentEntry, &dictionaryBuffer, recordLength);
        showBufferedEntry();
        return;
    }
    currentEntry = static_cast<int32_t>(next - 1);
    if (static_cast<int64_t>(currentEntry) == static_cast<int64_t>(count) + 1) {
        showNumber(entryNumberBox, currentEntry);
        showNextEntrySentinel();
    }
}

void moveDown() {
    if (storeEntry() != 0)
        return;
    currentEntry = readNumberControl(entryNumberBox);
    if (currentEntry > 2)
        --currentEntry;
    if (currentEntry > 1)
        showEntry();
}

// A number outside the entries shows the last one.
void goToEntry() {
    if (storeEntry() != 0)
        return;
    int32_t count = readDictionaryHeader();
    currentEntry = readNumberControl(entryNumberBox);
    if (!(currentEntry > 1 && currentEntry <= count))
        currentEntry = count;
    showEntry();
}

// The new entry, made from the template with the Find box's word as its key words, goes
// to the position after the last entry, and only once it is written does the header's
// count grow to take it in: a write the file refuses leaves a dictionary whose header
// never promises an entry that is not there.
void addEntry() {
    if (storeEntry() != 0)
        return;
    int32_t count = readDictionaryHeader();
    if (count == std::numeric_limits<int32_t>::max() || !isStorablePosition(count + 1, count))
        return;
    EntryRecord header = dictionaryBuffer;
    currentEntry = count + 1;
    showNumber(entryNumberBox, currentEntry);
    showEntry();
    showNewEntryTemplate();
    if (storeEntry() != 0)
        return;
    setEntryCount(header, count + 1);
    if (writeRecord(dictionaryFile, headerRecord, &header, recordLength) != 0)
        reportDictionaryWriteFailure(&editorForm);
}
