#include "app/rebuild.h"

#include "app/dictionary_files.h"
#include "app/editor_form.h"
#include "app/editor_state.h"
#include "app/main_sequence.h"
#include "app/outside_changes.h"
#include "app/translation_file_paths.h"
#include "app/translation_records.h"
#include "forms/modal_display.h"
#include "runtime/messages.h"
#include "runtime/text.h"

#include <string>
#include <vector>

namespace {

constexpr SECURITY_INFORMATION ownerGroupAndPermissions =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

// A file of our own making, never opened through a link at its name (CREATE_NEW refuses
// any existing name). FILE_SHARE_DELETE lets Win32 rename it while it is open.
HANDLE createOwnFile(const std::string& path, bool renamable) {
    DWORD sharing = FILE_SHARE_READ | (renamable ? FILE_SHARE_DELETE : 0);
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr, CREATE_NEW,
                       FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool recreateWorkFile(bool renamable) {
    closeFile(&editorState().workFile, translationFileKind);
    std::string path = pathOf(workFileName);
    if (!removeName(path)) return false;
    HANDLE handle = createOwnFile(path, renamable);
    if (handle == INVALID_HANDLE_VALUE) return false;
    editorState().workFile = handle;
    return true;
}

// The permissions of the file replaced, and its owner and group where this process may
// set them.
std::vector<char> securityOf(const std::string& path) {
    DWORD needed = 0;
    GetFileSecurityA(path.c_str(), ownerGroupAndPermissions, nullptr, 0, &needed);
    std::vector<char> descriptor(needed);
    if (needed == 0 || !GetFileSecurityA(path.c_str(), ownerGroupAndPermissions, descriptor.data(), needed, &needed))
        descriptor.clear();
    return descriptor;
}

void giveSecurity(const std::string& path, std::vector<char>& descriptor) {
    if (descriptor.empty()) return;
    const SECURITY_INFORMATION attempts[] = {
        ownerGroupAndPermissions, GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, DACL_SECURITY_INFORMATION};
    for (SECURITY_INFORMATION parts : attempts)
        if (SetFileSecurityA(path.c_str(), parts, descriptor.data())) return;
}

// Renames the complete, flushed `replacement` (open as `handle`, carrying the old
// dictionary's security) over `target`, and its open handle becomes the dictionary's:
// the new dictionary is never without its lock.
bool moveInto(const std::string& replacement, HANDLE& handle, const std::string& target) {
    if (!MoveFileExA(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    editorState().dictionaryFile = handle;
    handle = nullptr;
    return true;
}

// The dictionary on another file system than the work file (through a link): a copy
// beside it, flushed, then renamed over it.
bool moveCopyInto(const std::string& workPath, const std::string& target, std::vector<char>& security) {
    std::string copy = target + replacementEnding;
    if (!removeName(copy) || !CopyFileA(workPath.c_str(), copy.c_str(), TRUE)) {
        DeleteFileA(copy.c_str());
        return false;
    }
    HANDLE handle = CreateFileA(copy.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
    giveSecurity(copy, security);
    if (handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) && moveInto(copy, handle, target)) return true;
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    DeleteFileA(copy.c_str());
    return false;
}

// The flushed work file becomes the dictionary by a rename, keeping the old dictionary's
// permissions and link. Win32 replaces no open file, so the old dictionary is closed only
// just before; a replace that fails leaves it whole and the work file as the pass left it.
bool replaceDictionary() {
    std::string workPath = pathOf(workFileName);
    std::string target = dictionaryTarget();
    std::vector<char> security = securityOf(target);
    giveSecurity(workPath, security);
    closeFile(&editorState().dictionaryFile, translationFileKind);
    bool replaced = moveInto(workPath, editorState().workFile, target);
    if (!replaced && GetLastError() == ERROR_NOT_SAME_DEVICE) replaced = moveCopyInto(workPath, target, security);
    if (replaced) recreateWorkFile(false);  // when it cannot be made, reopening it says so
    return replaced;
}

// The pass read the dictionary the editor holds and wrote the work file it holds; when
// another program changed or replaced either meanwhile, the result is nobody's to install.
// A changed dictionary is closed, so that it is opened anew.
bool changedDuringPass() {
    for (HeldFile which : {HeldFile::dictionary, HeldFile::work}) {
        OutsideChange change = outsideChange(which);
        if (change == OutsideChange::none) continue;
        reportOutsideChange(which, change, "the pass changed nothing");
        if (which == HeldFile::dictionary) closeFile(&editorState().dictionaryFile, translationFileKind);
        return true;
    }
    return false;
}

}  // namespace

bool startEmptyWorkFile() { return recreateWorkFile(true); }

void rebuildTranslationFile(bool workFileComplete) {
    closeDialog(editorState().editorForm, 1);
    if (!changedDuringPass() && !(workFileComplete && replaceDictionary()))
        messageBox(nullptr, "Can't replace TranslationFile.dat", errorCaption, 0);
    openTranslationFiles();
    if (editorState().runFlag != 0) showModal(editorState().editorForm, nullptr);
}
