// Making the work file the new dictionary and showing the form again on it.
#pragma once

// Ends the form, makes the work file the dictionary when the pass wrote it completely
// (the old dictionary stays whole until then), reopens what is closed and shows the form
// again from inside the pass's command.
void rebuildTranslationFile(bool workFileComplete);

// A new, empty work file for a pass, opened so that the rebuild can rename it while it is
// open. Whatever held the name before goes, a link included: the work file is never
// written through a link. False when it cannot be made.
bool startEmptyWorkFile();
