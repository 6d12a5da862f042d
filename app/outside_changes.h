// Whether another program changed or replaced a file the editor holds open. On Windows
// the editor's share modes keep everybody out; on POSIX nothing stops a copy over the
// file or a rename over its name, so before the editor writes it looks.
#pragma once

enum class HeldFile { dictionary, work };

enum class OutsideChange {
    none,
    changed,   // the file the name leads to is the editor's, but not as the editor left it
    replaced,  // the name leads to another file, or to none
};

// Notes the file as the editor leaves it: after opening it and after each of its own
// writes, whether or not the write succeeded (a refused write may have moved the end).
void noteOwnState(HeldFile which);
OutsideChange outsideChange(HeldFile which);
// "TranslationFile.dat was changed by another program; " followed by `consequence`.
void reportOutsideChange(HeldFile which, OutsideChange change, const char* consequence);
