#include "app/maintenance_passes.h"

#include "app/dictionary_files.h"
#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/entry_fields.h"
#include "app/form_fields.h"
#include "app/outside_changes.h"
#include "app/rebuild.h"
#include "app/translation_records.h"
#include "runtime/messages.h"
#include "runtime/text.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int32_t clearTranslationClass = 999;

struct PassRules {
    bool (*keeps)(int32_t record);
    void (*changeCopy)();  // applied to the copy in the work buffer, or null
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
    return record < 40 || !(contains(editorState().dictionaryBuffer.keyWords, ".lnk") ||
                            contains(editorState().dictionaryBuffer.fileCommand, ".lnk"));
}

bool keepsUnlessOfClass(int32_t record) {
    return record < 200 || editorState().dictionaryBuffer.wordClass != editorState().classNumber;
}

void clearTranslationFor999() {
    if (editorState().classNumber == clearTranslationClass) editorState().workBuffer.translation[0] = 0;
}

bool keepsUnlessClass32(int32_t record) { return record < 40 || editorState().dictionaryBuffer.wordClass != 32; }

bool keepsUnlessUnused(int32_t) { return !isExactly(editorState().dictionaryBuffer.keyWords, "unused"); }

bool isExtractedClass(int32_t wordClass) {
    for (int32_t extracted : {0, 1, 32, 60, 96, 118, 119, 120, 121})
        if (wordClass == extracted) return true;
    return false;
}

bool keepsWords(int32_t record) {
    if (record <= 120) return true;
    return !(isExtractedClass(editorState().dictionaryBuffer.wordClass) ||
             editorState().dictionaryBuffer.description[0] == 0);
}

bool keepsAll(int32_t) { return true; }

void zeroHighMode() {
    if (editorState().workBuffer.mode > 10) editorState().workBuffer.mode = 0;
}

// A description that fills its whole slot without a terminator is replaced, and the user
// sees both the warning and the replacement.
void replaceOverlongDescription() {
    if (slotIsTerminated(editorState().dictionaryBuffer.description)) return;
    messageBox(nullptr, "var overload", "unused...", 0);
    storeSlotText(editorState().dictionaryBuffer.description, "this entry caused a varable overload");
    messageBox(nullptr, editorState().dictionaryBuffer.description, "unused...", 0);
}

void copyEntryToWorkBuffer() {
    for (int32_t i = 0; i < numberFieldCount; ++i)
        numberField(editorState().workBuffer, i) = numberField(editorState().dictionaryBuffer, i);
    for (int32_t i = 0; i < textFieldCount; ++i)
        copySlot(textField(editorState().workBuffer, i), textField(editorState().dictionaryBuffer, i));
}

// Copies the kept entries into records 2, 3, ... of the work file and its header into
// record 1, then hands over to the rebuild. A record the dictionary does not hold ends
// the copy, so the new count is what was really copied; a work file that could not be
// written completely never replaces the dictionary.
void runPass(const PassRules& rules) {
    editorState().currentEntry = readDictionaryHeader();
    // A new work file, so that nothing an earlier run left in it reaches the dictionary.
    bool complete = startEmptyWorkFile();
    editorState().newRecordCount = 2;
    for (int32_t record = 2; complete && record <= editorState().currentEntry; ++record) {
        if (readRecord(editorState().dictionaryFile, record, &editorState().dictionaryBuffer, recordLength) != 0) break;
        if (!rules.keeps(record)) continue;
        if (rules.replacesOverlongDescription) replaceOverlongDescription();
        copyEntryToWorkBuffer();
        if (rules.changeCopy) rules.changeCopy();
        if (writeRecord(editorState().workFile, editorState().newRecordCount, &editorState().workBuffer,
                        recordLength) != 0)
            complete = false;
        else
            ++editorState().newRecordCount;
    }
    setEntryCount(editorState().workBuffer, editorState().newRecordCount - 1);
    if (writeRecord(editorState().workFile, headerRecord, &editorState().workBuffer, recordLength) != 0 ||
        flushFile(editorState().workFile) != 0)
        complete = false;
    noteOwnState(HeldFile::work);
    rebuildTranslationFile(complete);
}

}  // namespace

void deleteLinkEntries() { runPass({keepsUnlessLink, nullptr, false}); }

void deleteWordClassEntries() {
    editorState().classNumber = readNumberControl(classNumberBox);
    if (editorState().classNumber == clearTranslationClass)
        messageBox(nullptr, "Removing contents of f7", "message...", 0);
    if (editorState().classNumber < 0) editorState().classNumber = 0;
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
