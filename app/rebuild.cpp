#include "rebuild.h"

#include "dialogs.h"
#include "editor_form.h"
#include "main_sequence.h"
#include "messages.h"
#include "text.h"
#include "translation_file.h"
#include "translation_files.h"

namespace {

// The copy replaces the dictionary in one step, so a failure leaves the old dictionary
// whole; the work file goes only once the copy is complete.
bool replaceDictionary() {
    char* workPath = translationFilePath(workFileName);
    char* dictionaryPath = translationFilePath(dictionaryFileName);
    bool replaced = copyFile(workPath, dictionaryPath, 0) == 0;
    if (replaced)
        deleteFile(workPath);
    freeText(dictionaryPath);
    freeText(workPath);
    return replaced;
}

}  // namespace

void rebuildTranslationFile(bool workFileComplete) {
    closeDialog(editorForm, 1);
    closeTranslationFiles();
    if (!(workFileComplete && replaceDictionary()))
        messageBox(nullptr, "Can't replace TranslationFile.dat", errorCaption, 0);
    openTranslationFiles();
    if (runFlag != 0)
        showModal(editorForm, nullptr);
}
