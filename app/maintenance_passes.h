// The six clean-up passes: each copies the entries it keeps into the work file, which then
// replaces the dictionary.
#pragma once

void deleteLinkEntries();
void deleteWordClassEntries();
void deleteClass32Entries();
void deleteUnusedEntries();
void extractWords();
void resetHighModes();
