// Images of bitmap buttons and bitmap statics, named by the control's text.
#pragma once

#include <windows.h>

// Where the image of a bitmap button or bitmap static comes from, given its text: a file
// when the text is a path, else a bitmap resource of the program by number or by name.
struct ImageSource {
    HINSTANCE module;
    LPCSTR name;  // points into the caller's buffer, or an integer resource id
    UINT flags;
};
ImageSource imageSourceFor(const char* buffer);
HBITMAP loadControlImage(const char* text);
