// The six clean-up passes: each copies the entries it keeps into the work file, which then
// replaces the dictionary.
#pragma once

void deleteLinkEntries();       // 42
void deleteWordClassEntries();  // 43
void deleteClass32Entries();    // 44
void deleteUnusedEntries();     // 45
void extractWords();            // 46
void resetHighModes();          // 47
