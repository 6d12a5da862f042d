#include "app/outside_changes.h"

#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/translation_file_paths.h"
#include "app/translation_records.h"
#include "runtime/messages.h"
#include "runtime/text.h"

#include <windows.h>

namespace {

struct LeftState {
    bool known = false;
    BY_HANDLE_FILE_INFORMATION information{};
};

LeftState leftStates[2];

FileVariable handleOf(HeldFile which) {
    return which == HeldFile::dictionary ? editorState().dictionaryFile : editorState().workFile;
}
const char* nameOf(HeldFile which) { return which == HeldFile::dictionary ? dictionaryFileName : workFileName; }

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

bool sameContentsStamp(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           a.ftLastWriteTime.dwLowDateTime == b.ftLastWriteTime.dwLowDateTime &&
           a.ftLastWriteTime.dwHighDateTime == b.ftLastWriteTime.dwHighDateTime;
}

// Opened for no access at all, which asks only for the file's identity and so is granted
// whatever the editor's own share mode; a FIFO put at the name does not hold it up.
bool namedFileInformation(HeldFile which, BY_HANDLE_FILE_INFORMATION& information) {
    char* path = translationFilePath(nameOf(which));
    HANDLE named = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    freeText(path);
    if (named == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(named, &information);
    CloseHandle(named);
    return known;
}

}  // namespace

void noteOwnState(HeldFile which) {
    LeftState& state = leftStates[static_cast<int>(which)];
    FileVariable handle = handleOf(which);
    state.known = handle && GetFileInformationByHandle(handle, &state.information);
}

// A file's identity stays the same while the editor holds it open, so a name that leads to
// a file of that identity leads to the editor's file, and that file still has a name.
OutsideChange outsideChange(HeldFile which) {
    const LeftState& state = leftStates[static_cast<int>(which)];
    if (!state.known) return OutsideChange::none;  // nothing to compare with: the write itself reports
    BY_HANDLE_FILE_INFORMATION named{};
    if (!namedFileInformation(which, named) || !sameFile(named, state.information)) return OutsideChange::replaced;
    return sameContentsStamp(named, state.information) ? OutsideChange::none : OutsideChange::changed;
}

void reportOutsideChange(HeldFile which, OutsideChange change, const char* consequence) {
    const char* happened = change == OutsideChange::replaced ? " was replaced or removed by another program; "
                                                             : " was changed by another program; ";
    char* text = concatTexts({nameOf(which), happened, consequence});
    messageBox(&editorState().editorForm, text, errorCaption, 0);
    freeText(text);
}
