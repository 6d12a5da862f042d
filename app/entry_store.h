// Writing the form back into the entry on show.
#pragma once

#include <cstdint>

// Copies the twelve fields into the dictionary buffer (numbers rounded, the first of each
// separator in the description turned into a blank, texts cut to what a slot holds) and
// writes it as record currentEntry, but only where an entry or the position just past
// the last one lives: the header and records far beyond the count are never written.
// Returns 1 when the write was refused or the position cannot be written (the user has
// been told and the form keeps its texts), else 0. A position refused once is left
// unstored by the next store, so the user is never held at it.
int32_t storeEntry();
// Each showing of the form starts without a refused position.
void forgetStoreRefusal();

// Why a record cannot be written, for a dictionary whose header says count.
enum class StoreRefusal {
    none,
    outsideEntries,  // the header, or far from the entries: never written, nothing said
    pastFileEnd,     // a gap of made-up records would come before it
    full,            // beyond the last record a record file can address
};
StoreRefusal storeRefusal(int64_t record, int32_t count);
// Tells the user why the position cannot be written; false for none and outsideEntries.
bool reportStoreRefusal(StoreRefusal refusal);
