// Making the work file the new dictionary and showing the form again on it.
#pragma once

// Ends the form, replaces the dictionary by the work file when the pass wrote it
// completely (the old dictionary stays until the copy is whole), reopens both files and
// shows the form again from inside the pass's command.
void rebuildTranslationFile(bool workFileComplete);
