#include "maintenance_passes.h"

#include "dictionary_files.h"
#include "editor_form.h"
#include "entry_fields.h"
#include "form_fields.h"
#include "messages.h"
#include "outside_changes.h"
#include "rebuild.h"
#include "text.h"
#include "translation_records.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int32_t clearTranslationClass = 999;
int32_t classNumber = 0;  // of the pass "del if 4 = ", from the field beside its button

struct PassRules {
    bool (*keeps)(int32_t record);
    void (*changeCopy)();          // applied to the copy in the work buffer, or null
    bool replacesOverlongDescription;
};

bool contains(const TextField255& field, const char* sought) {
    char text[textFieldSize + 1];
    terminatedSlotText(field, text);
    return findText(text, sought, 1) > 0;
}

bool isExactly(const TextField255& field, const char* text) {
    return std::strncmp(field, text, sizeof(TextField255)) == 0;
}

bool keepsUnlessLink(int32_t record) {
    return record < 40 ||
           !(contains(dictionaryBuffer.keyWords, ".lnk") || contains(dictionaryBuffer.fileCommand, ".lnk"));
}

bool keepsUnlessOfClass(int32_t record) { return record < 200 || dictionaryBuffer.wordClass != classNumber; }

void clearTranslationFor999() {
    if (classNumber == clearTranslationClass)
        workBuffer.translation[0] = 0;
}

bool keepsUnlessClass32(int32_t record) { return record < 40 || dictionaryBuffer.wordClass != 32; }

bool keepsUnlessUnused(int32_t) { return !isExactly(dictionaryBuffer.keyWords, "unused"); }

bool isExtractedClass(int32_t wordClass) {
    for (int32_t extracted : {0, 1, 32, 60, 96, 118, 119, 120, 121})
        if (wordClass == extracted)
            return true;
    return false;
}

bool keepsWords(int32_t record) {
    if (record <= 120)
        return true;
    return !(isExtractedClass(dictionaryBuffer.wordClass) || dictionaryBuffer.description[0] == 0);
}

bool keepsAll(int32_t) { return true; }

void zeroHighMode() {
    if (workBuffer.mode > 10)
        workBuffer.mode = 0;
}

// A description that fills its whole slot without a terminator is replaced, and the user
// sees both the warning and the replacement.
void replaceOverlongDescription() {
    if (slotIsTerminated(dictionaryBuffer.description))
        return;
    messageBox(nullptr, "var overload", "unused...", 0);
    storeSlotText(dictionaryBuffer.description, "this entry caused a varable overload");
    messageBox(nullptr, dictionaryBuffer.description, "unused...", 0);
}

void copyEntryToWorkBuffer() {
    for (int32_t i = 0; i < numberFieldCount; ++i)
        numberField(workBuffer, i) = numberField(dictionaryBuffer, i);
    for (int32_t i = 0; i < textFieldCount; ++i)
        copySlot(textField(workBuffer, i), textField(dictionaryBuffer, i));
}

// Copies the kept entries into records 2, 3, ... of the work file and its header into
// record 1, then hands over to the rebuild. A record the dictionary does not hold ends
// the copy, so the new count is what was really copied; a work file that could not be
// written completely never replaces the dictionary.
void runPass(const PassRules& rules) {
    currentEntry = readDictionaryHeader();
    // A new work file, so that nothing an earlier run left in it reaches the dictionary.
    bool complete = startEmptyWorkFile();
    newRecordCount = 2;
    for (int32_t record = 2; complete && record <= currentEntry; ++record) {
        if (readRecord(dictionaryFile, record, &dictionaryBuffer, recordLength) != 0)
            break;
        if (!rules.keeps(record))
            continue;
        if (rules.replacesOverlongDescription)
            replaceOverlongDescription();
        copyEntryToWorkBuffer();
        if (rules.changeCopy)
            rules.changeCopy();
        if (writeRecord(workFile, newRecordCount, &workBuffer, recordLength) != 0)
            complete = false;
        else
            ++newRecordCount;
    }
    setEntryCount(workBuffer, newRecordCount - 1);
    if (writeRecord(workFile, headerRecord, &workBuffer, recordLength) != 0 || flushFile(workFile) != 0)
        complete = false;
    noteOwnState(HeldFile::work);
    rebuildTranslationFile(complete);
}

}  // namespace

void deleteLinkEntries() { runPass({keepsUnlessLink, nullptr, false}); }

void deleteWordClassEntries() {
    classNumber = readNumberControl(classNumberBox);
    if (classNumber == clearTranslationClass)
        messageBox(nullptr, "Removing contents of f7", "message...", 0);
    if (classNumber < 0)
        classNumber = 0;
    runPass({keepsUnlessOfClass, clearTranslationFor999, false});
}

void deleteClass32Entries() { runPass({keepsUnlessClass32, nullptr, false}); }

void deleteUnusedEntries() {
    processMessages(1);
    runPass({keepsUnlessUnused, nullptr, true});
}

void extractWords() {
    processMessages(1);
    runPass({keepsWords, nullptr, true});
}

void resetHighModes() { runPass({keepsAll, zeroHighMode, false}); }
