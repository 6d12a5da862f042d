// Images of bitmap buttons and bitmap statics, named by the control's text.
#include "forms/images.h"

#include "runtime/numbers.h"

#include <windows.h>

namespace {

bool isFilePath(const char* name) {
    for (const char* c = name; *c; ++c)
        if (*c == ':') return true;  // a drive letter
#ifndef _WIN32
    if (name[0] == '/') return true;  // an absolute path where there are no drive letters
#endif
    return false;
}

}  // namespace

ImageSource imageSourceFor(const char* buffer) {
    ImageSource source{nullptr, buffer, LR_CREATEDIBSECTION};
    if (isFilePath(buffer)) {
        source.flags |= LR_LOADFROMFILE;
        return source;
    }
    source.module = GetModuleHandleA(nullptr);
    double number = textToNumber(buffer);
    if (number > 0) source.name = MAKEINTRESOURCEA(roundToInt32(number));
    return source;
}

HBITMAP loadControlImage(const char* text) {
    // A longer name is cut to the 259 characters the buffer holds.
    char name[MAX_PATH] = {};
    lstrcpynA(name, text ? text : "", sizeof name);
    ImageSource source = imageSourceFor(name);
    return static_cast<HBITMAP>(LoadImageA(source.module, source.name, IMAGE_BITMAP, 0, 0, source.flags));
}
