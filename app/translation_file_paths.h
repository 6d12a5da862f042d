// Where the translation files live: beside the program, the dictionary possibly through a
// link. Also the leftovers of a rebuild cut short, which start-up removes by these names.
#pragma once

#include <string>

// A new text value: the program's directory followed by the file name.
char* translationFilePath(const char* fileName);
// The same as a string.
std::string pathOf(const char* fileName);

// The file the dictionary's handle is open on: a link's target, not the link.
std::string dictionaryTarget();

// The copy a rebuild makes beside a dictionary on another file system: the dictionary's
// own name with this ending, so that start-up knows it for ours.
constexpr char replacementEnding[] = ".rebuild~";

// Removes the name, whatever it names; true when it is gone (or was never there).
bool removeName(const std::string& path);

// Start-up, with the dictionary open: removes what a rebuild that was cut short left (its
// copy beside the dictionary) and a link where the work file belongs.
void removeRebuildLeftovers();
