// Writing the form back into the entry on show.
#pragma once

#include <cstdint>

// Copies the twelve fields into the dictionary buffer (numbers rounded, the first of each
// separator in the description turned into a blank, texts cut to what a slot holds) and
// writes it as record currentEntry, but only where an entry or the position just past
// the last one lives: the header and records far beyond the count are never written.
// Returns 1 when the write was refused (the user has been told), else 0.
int32_t storeEntry();

// Where storeEntry may write, for a dictionary whose header says count.
bool isStorablePosition(int32_t record, int32_t count);
