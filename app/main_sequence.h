// The program from start to end.
#pragma once

#include <cstdint>

// 1 while the editor runs; whatever ends the run (a file that fails to open, the end of
// the form) clears it, and the main sequence then goes on to shut down.
extern int32_t runFlag;

// Builds the form, opens both translation files, shows the form until the run ends,
// closes the files, deletes the work file and releases everything. Returns 0.
int32_t runEditor();
