// Reading the published in-memory dialog template layout (DLGTEMPLATE followed by its
// variable-length arrays, then one DLGITEMTEMPLATE per control) into plain values.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace user::dialogs {

// A class, menu or title field: either absent, a number (0xFFFF then a WORD) or a text.
struct NameOrOrdinal {
    WORD ordinal = 0;  // non-zero when the field was given as a number
    std::string text;  // Windows-1252 when given as a text
    bool isOrdinal() const { return ordinal != 0; }
};

struct ItemTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    NameOrOrdinal windowClass;  // the predefined ordinals 0x80..0x85 are turned into names
    NameOrOrdinal title;
    std::vector<BYTE> creationData;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;  // empty: the predefined dialog class
    std::string title;
    WORD pointSize = 0;  // only with DS_SETFONT
    std::string faceName;
    std::vector<ItemTemplate> items;
};

// The class name the template's ordinals 0x80..0x85 stand for, or null for others.
const char* predefinedClassName(WORD ordinal);

// Reads a template; false for what this layer does not read (the extended DLGTEMPLATEEX
// layout) or a null pointer. Items start on DWORD boundaries of memory, as on Win32.
bool parseDialogTemplate(const void* data, DialogTemplate& out);

}  // namespace user::dialogs
