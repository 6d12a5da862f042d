// Putting the entry on show, or a fixed set of texts, into the form's twelve fields.
#pragma once

#include <cstdint>

// Reads record currentEntry and shows it; a wordClass of 1 is shown (and so later stored) as 0.
int32_t showEntry();
// The form's first entry. The last record read is the header: an entry beyond the file's
// end (a count that promises more than the file holds) shows its number and empty fields,
// never the header's bytes.
void showStartingEntry();
// Shows the dictionary buffer as it is, and currentEntry in the entry-number box.
void showBufferedEntry();
// Fills the twelve fields: "1", "0", "1", "0", "na", "Next entry", then six empty texts.
void showNextEntrySentinel();
// Fills the twelve fields with a new entry whose key words are the Find box's text.
void showNewEntryTemplate();
