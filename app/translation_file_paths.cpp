#include "app/translation_file_paths.h"

#include "app/editor_state.h"
#include "app/translation_records.h"
#include "runtime/text.h"

#include <windows.h>

char* translationFilePath(const char* fileName) {
    char* directory = startDirectory();
    pushTemporary(directory);
    char* path = concatTexts({directory, fileName});
    popTemporaries(1);
    return path;
}

std::string pathOf(const char* fileName) {
    char* text = translationFilePath(fileName);
    std::string path = text;
    freeText(text);
    return path;
}

std::string dictionaryTarget() {
    char path[4096];
    DWORD length = GetFinalPathNameByHandleA(editorState().dictionaryFile, path, sizeof path,
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    return length > 0 && length < sizeof path ? std::string(path, length) : pathOf(dictionaryFileName);
}

bool removeName(const std::string& path) {
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES || DeleteFileA(path.c_str());
}

void removeRebuildLeftovers() {
    removeName(dictionaryTarget() + replacementEnding);
    std::string workPath = pathOf(workFileName);
    DWORD attributes = GetFileAttributesA(workPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        DeleteFileA(workPath.c_str());
}
